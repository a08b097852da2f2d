// The parent's usage chart: for each child, the minutes used on each of the last days as bars,
// with each day's allowance marked.
#pragma once

#include "program/program.h"
#include "records/day_allowance.h"
#include "forms/bar_chart.h"
#include "forms/control_array.h"
#include "forms/form.h"

namespace orlimo {

class frmUsageChart : public forms::Form {
 public:
  explicit frmUsageChart(Program& program);

  forms::Label lTitle;
  forms::Label lUsedKey;
  forms::Label lAllowanceKey;
  forms::Label lTop;  // the minutes the full height of the charts stands for
  forms::ControlArray<forms::Label, kMaxUsers> lName;
  forms::ControlArray<forms::BarChart, kMaxUsers> chtDays;  // oldest day first
  forms::ControlArray<forms::Label, kMaxUsers> lToday;
  forms::ControlArray<forms::Label, Main::kChartDays> lDay;
  forms::ControlArray<forms::Label, Main::kChartDays> lWeekday;
  forms::Button cmdClose;

  void Design() override;
  void Form_Load() override;

 private:
  void PlaceRows(int rows);

  Program& program_;
};

}  // namespace orlimo
