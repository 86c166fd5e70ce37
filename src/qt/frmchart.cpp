#include "qt/frmchart.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "qt/qt_platform.h"
#include "qt/table_view.h"

namespace sekiba {

AxisRange nice_range(const std::vector<double>& values) {
  double lo = 0, hi = 0;
  if (!values.empty()) {
    lo = *std::min_element(values.begin(), values.end());
    hi = *std::max_element(values.begin(), values.end());
  }
  lo = std::min(lo, 0.0);  // the zero line anchors the eye
  if (hi - lo < 1) hi = lo + 1;
  const double raw = (hi - lo) / 5;
  const double mag = std::pow(10.0, std::floor(std::log10(raw)));
  double step = mag;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (raw <= m * mag) {
      step = m * mag;
      break;
    }
  return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

Line3D::Line3D(std::vector<double> rows, QWidget* parent) : QWidget(parent), rows_(std::move(rows)) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line3D::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF all = rect();
  const double depth = std::max(8.0, all.width() * 0.05);  // how far the floor recedes
  const double left = all.left() + 52, bottom = all.bottom() - 24;
  const double right = all.right() - 10 - depth, top = all.top() + 8 + depth;
  const QPointF back(depth, -depth);
  const AxisRange r = nice_range(rows_);
  auto y_of = [&](double v) { return bottom - (v - r.lo) / (r.hi - r.lo) * (bottom - top); };
  const int n = int(rows_.size());
  auto x_of = [&](int i) { return n <= 1 ? (left + right) / 2 : left + (right - left) * i / (n - 1); };

  // Back wall, floor and side wall.
  p.setPen(QPen(QColor(120, 120, 140), 1));
  p.setBrush(QColor(236, 238, 246));
  p.drawPolygon(QPolygonF({QPointF(left, top) + back, QPointF(right, top) + back,
                           QPointF(right, bottom) + back, QPointF(left, bottom) + back}));
  p.setBrush(QColor(214, 218, 232));
  p.drawPolygon(QPolygonF({QPointF(left, bottom), QPointF(right, bottom), QPointF(right, bottom) + back,
                           QPointF(left, bottom) + back}));
  p.setBrush(QColor(224, 228, 240));
  p.drawPolygon(QPolygonF({QPointF(left, top), QPointF(left, top) + back, QPointF(left, bottom) + back,
                           QPointF(left, bottom)}));

  // Value grid on the walls, with its labels.
  QFont f = QtPlatform::game_font(8, false);
  p.setFont(f);
  for (double v = r.lo; v <= r.hi + r.step / 2; v += r.step) {
    const double y = y_of(v);
    p.setPen(QPen(QColor(160, 164, 184), 1, Qt::DotLine));
    p.drawLine(QPointF(left, y), QPointF(left, y) + back);
    p.drawLine(QPointF(left, y) + back, QPointF(right, y) + back);
    p.setPen(QColor(40, 40, 60));
    p.drawText(QRectF(all.left(), y - 8, 46, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(qint64(v)));
  }
  // Hand numbers along the floor, thinned to fit.
  const int every = std::max(1, n / 10);
  for (int i = 0; i < n; i += every)
    p.drawText(QRectF(x_of(i) - 20, bottom + 4, 40, 16), Qt::AlignHCenter | Qt::AlignTop,
               QString::number(i + 1));

  // The ribbon, from the back to the front so nearer parts cover farther ones.
  const QPointF half = back * 0.6;
  for (int i = 0; i + 1 < n; ++i) {
    const QPointF a(x_of(i), y_of(rows_[std::size_t(i)])), b(x_of(i + 1), y_of(rows_[std::size_t(i + 1)]));
    const double slope = (b.y() - a.y()) / std::max(1.0, b.x() - a.x());
    const int shade = std::clamp(int(150 - 60 * slope), 70, 230);
    p.setPen(QPen(QColor(20, 40, 110), 1));
    p.setBrush(QColor(40, 80, shade));
    p.drawPolygon(QPolygonF({a, b, b + half, a + half}));
  }
  if (n == 1) {
    const QPointF a(x_of(0), y_of(rows_[0]));
    p.setPen(QPen(QColor(40, 80, 200), 3));
    p.drawLine(a, a + half);
  }
}

FrmChart::FrmChart(TableView* view) : QWidget(view), view_(view) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(6, 6, 6, 6);
  layout_->setSpacing(2);
  title_ = new QLabel(this);
  title_->setAlignment(Qt::AlignCenter);
  title_->setFont(QtPlatform::game_font(12, true));
  footnote_ = new QLabel(this);
  footnote_->setAlignment(Qt::AlignLeft);
  footnote_->setFont(QtPlatform::game_font(9, false));
  layout_->addWidget(title_);
  layout_->addWidget(footnote_);
  view_->installEventFilter(this);
  hide();
}

void FrmChart::show_chart(const ChartPlan& plan) {
  plan_ = plan;
  title_->setText(qs(plan.title));
  footnote_->setText(qs(plan.footnote));
  if (plot_) {
    layout_->removeWidget(plot_);
    delete plot_;
    plot_ = nullptr;
  }
  if (plan.three_d) {
    plot_ = new Line3D(plan.rows, this);
  } else {
    auto* series = new QLineSeries;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) series->append(double(i + 1), plan.rows[i]);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->legend()->hide();
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundRoundness(0);
    const AxisRange r = nice_range(plan.rows);
    auto* ax = new QValueAxis;
    ax->setRange(1, std::max<double>(2, double(plan.rows.size())));
    ax->setLabelFormat("%d");
    auto* ay = new QValueAxis;
    ay->setRange(r.lo, r.hi);
    ay->setTickCount(int(std::lround((r.hi - r.lo) / r.step)) + 1);
    ay->setLabelFormat("%d");
    chart->addAxis(ax, Qt::AlignBottom);
    chart->addAxis(ay, Qt::AlignLeft);
    series->attachAxis(ax);
    series->attachAxis(ay);
    auto* cv = new QChartView(chart, this);
    cv->setRenderHint(QPainter::Antialiasing);
    cv->setAttribute(Qt::WA_TransparentForMouseEvents);
    cv->setFocusPolicy(Qt::NoFocus);
    plot_ = cv;
  }
  layout_->insertWidget(1, plot_, 1);
  place();
  show();
  raise();
}

void FrmChart::place() {
  const Letterbox lb = view_->letterbox();
  setGeometry(QRectF(lb.x + plan_.left * lb.scale, lb.y + plan_.top * lb.scale, plan_.width * lb.scale,
                     plan_.height * lb.scale)
                  .toRect());
}

bool FrmChart::eventFilter(QObject* watched, QEvent* e) {
  if (watched == view_ && e->type() == QEvent::Resize && isVisible()) place();
  return QWidget::eventFilter(watched, e);
}

}  // namespace sekiba
