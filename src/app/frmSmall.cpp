#include "app/frmSmall.h"

#include "app/frmMain.h"

namespace orlimo {

frmSmall::frmSmall(Program& program) : Form(program.runtime), program_(program) {}

void frmSmall::Design() {
  SetCaption(u"Orlimo");
  SetClientSize(780, 555);
}

void frmSmall::Form_Load() {
  forms::ScreenSize screen = program_.runtime.Screen();
  SetBounds({screen.width - Bounds().width, 0, Bounds().width, Bounds().height});
}

void frmSmall::Form_Click() {
  Unload();
}

// However the small window goes away (a click, or its close button), the main window comes
// back: it must never stay hidden with nothing on screen to bring it back.
void frmSmall::Form_Unload() {
  if (program_.MainWindow().Loaded()) program_.MainWindow().Show();
}

}  // namespace orlimo
