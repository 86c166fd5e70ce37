#pragma once
// The score chart over the table: a line chart of one series with a title and a
// footnote, laid over its place on the surface and scaled with the table. The
// 2-D style is a Qt Charts line chart; the 3-D style, a ribbon with depth in
// front of a floor and a back wall, is painted by our own code. It takes no
// input: keys and clicks go on to the table, whose wait ends the chart.
#include <QWidget>

#include "platform/platform.h"

class QLabel;
class QVBoxLayout;

namespace sekiba {

class TableView;

class FrmChart : public QWidget {
  Q_OBJECT
 public:
  explicit FrmChart(TableView* view);
  void show_chart(const ChartPlan& plan);
  const ChartPlan& plan() const { return plan_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  TableView* view_;
  ChartPlan plan_;
  QLabel* title_ = nullptr;
  QLabel* footnote_ = nullptr;
  QWidget* plot_ = nullptr;
  QVBoxLayout* layout_ = nullptr;
  void place();
};

// The 3-D line: painted from the rows with perspective depth.
class Line3D : public QWidget {
 public:
  Line3D(std::vector<double> rows, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::vector<double> rows_;
};

// A round axis range holding every value (at least one step wide).
struct AxisRange {
  double lo, hi, step;
};
AxisRange nice_range(const std::vector<double>& values);

}  // namespace sekiba
