// The very small window that stands in for the hidden main window in the same corner.
#pragma once

#include "program/program.h"
#include "forms/form.h"

namespace orlimo {

class frmSmall : public forms::Form {
 public:
  explicit frmSmall(Program& program);

  void Design() override;
  void Form_Load() override;
  void Form_Click() override;
  void Form_Unload() override;

 private:
  Program& program_;
};

}  // namespace orlimo
