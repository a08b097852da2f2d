#include "app/frmSmall.h"

#include "app/frmMain.h"

namespace orlimo {

frmSmall::frmSmall(Program& program) : Form(program.runtime, "frmSmall"), program_(program) {}

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
  program_.MainWindow().Show();
}

}  // namespace orlimo
