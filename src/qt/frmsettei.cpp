#include "qt/frmsettei.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <algorithm>
#include <QGridLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "engine/game.h"
#include "platform/language.h"
#include "gamerec/record_writer.h"
#include "qt/frmsettei_extras.h"
#include "qt/qt_platform.h"
#include "records/settings.h"

namespace sekiba {

FrmSettei::FrmSettei(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
  setWindowTitle(qs(g_.os.tr("設定モード")));
  QFont f = font();
  f.setFamily(QStringLiteral("Noto Sans CJK JP"));
  setFont(f);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  constexpr int kRows = int(kSetteiGroups.size() + 1) / 2;
  // The labels and the buttons of a column share their widths so that the
  // buttons of all nine groups stand in straight lines.
  std::array<QLabel*, kSetteiGroups.size()> labels{};
  int label_width[2] = {0, 0};
  int option_width[2][2] = {{0, 0}, {0, 0}};
  for (int i = 0; i < int(kSetteiGroups.size()); ++i) {
    const SetteiGroup& grp = kSetteiGroups[std::size_t(i)];
    auto* box = new QGroupBox(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 4, 8, 4);
    labels[std::size_t(i)] = new QLabel(qs(g_.os.tr(grp.label)), box);
    row->addWidget(labels[std::size_t(i)]);
    row->addSpacing(12);
    for (int k = 0; k < 2; ++k) {
      // Siblings in one group box are exclusive by themselves.
      auto* rb = new QRadioButton(qs(g_.os.tr(k == 0 ? grp.option0 : grp.option1)), box);
      options_[std::size_t(i)][std::size_t(k)] = rb;
      row->addWidget(rb);
    }
    row->addStretch(1);
    groups_[std::size_t(i)] = box;
    int col = i / kRows;
    grid->addWidget(box, i % kRows, col);
    label_width[col] = std::max(label_width[col], labels[std::size_t(i)]->sizeHint().width());
    for (int k = 0; k < 2; ++k)
      option_width[col][k] = std::max(option_width[col][k],
                                      options_[std::size_t(i)][std::size_t(k)]->sizeHint().width());
  }
  for (int i = 0; i < int(kSetteiGroups.size()); ++i) {
    int col = i / kRows;
    labels[std::size_t(i)]->setMinimumWidth(label_width[col]);
    for (int k = 0; k < 2; ++k)
      options_[std::size_t(i)][std::size_t(k)]->setMinimumWidth(option_width[col][k]);
  }

  auto* ok = new QPushButton(qs(g_.os.tr("設定(&Y)")), this);
  auto* cancel = new QPushButton(qs(g_.os.tr("ｷｬﾝｾﾙ(&X)")), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &FrmSettei::cmdOK_Click);
  connect(cancel, &QPushButton::clicked, this, &FrmSettei::cmdNG_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  // The game's own options on the first page, with the language and the game
  // records (each in a file of its own); the conveniences on a page of their own.
  record_ = new QCheckBox(qs(g_.os.tr("対局を棋譜に記録する")), this);
  record_->setObjectName(QStringLiteral("chkkiroku"));
  record_->setChecked(recording_switched_on(g_));
  pages_ = new QTabWidget(this);
  auto* options_page = new QWidget(pages_);
  auto* options_column = new QVBoxLayout(options_page);
  options_column->addLayout(grid);
  options_column->addWidget(language_row());
  options_column->addWidget(record_);
  pages_->addTab(options_page, qs(g.os.tr("基本")));
  extras_ = new ExtrasPage(g, pages_);
  pages_->addTab(extras_, qs(g.os.tr("便利機能")));

  auto* top = new QVBoxLayout(this);
  top->addWidget(pages_);
  top->addSpacing(6);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  settei_input();
}

// Each item reads in both scripts, so that a player who cannot read the
// language shown finds the way back.
namespace {
constexpr const char* kLanguageTitle = "言語 / Language";
}  // namespace

QFrame* FrmSettei::language_row() {
  static constexpr const char* kItems[3] = {"デスクトップに従う / Follow the desktop", "日本語",
                                            "English"};
  // A framed row like the groups above it, but not one of them: the eighteen
  // groups are the settings file's.
  auto* box = new QFrame(this);
  box->setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(8, 4, 8, 4);
  row->addWidget(new QLabel(qs(kLanguageTitle), box));
  row->addSpacing(12);
  language_ = new QComboBox(box);
  for (const char* item : kItems) language_->addItem(qs(item));
  row->addWidget(language_);
  row->addStretch(1);
  return box;
}

void FrmSettei::store_language() {
  const int item = language_->currentIndex();
  const LanguageChoice chosen = item == 1   ? LanguageChoice::Japanese
                                : item == 2 ? LanguageChoice::English
                                            : LanguageChoice::Desktop;
  const std::string path = language_choice_path();
  if (chosen == load_language_choice(path)) return;
  if (!save_language_choice(path, chosen)) {
    g_.os.message_box(g_.os.tr("言語の設定を保存できませんでした"), kLanguageTitle,
                      MessageButtons::Ok, MessageIcon::None);
    return;
  }
  // Shown in both languages: the player may not read the one still on screen.
  g_.os.message_box("言語は次の起動から変わります。\nThe language changes at the next start.",
                    kLanguageTitle, MessageButtons::Ok, MessageIcon::Information);
}

void FrmSettei::settei_input() {
  const LanguageChoice saved = load_language_choice(language_choice_path());
  language_->setCurrentIndex(saved == LanguageChoice::Japanese  ? 1
                             : saved == LanguageChoice::English ? 2
                                                                : 0);
  for (std::size_t i = 0; i < kSetteiGroups.size(); ++i) {
    const SetteiGroup& grp = kSetteiGroups[i];
    int opt = settei_option_for(grp, g_.s.settei[std::size_t(grp.setting)]);
    options_[i][std::size_t(opt)]->setChecked(true);
  }
}

void FrmSettei::cmdOK_Click() {
  for (std::size_t i = 0; i < kSetteiGroups.size(); ++i) {
    const SetteiGroup& grp = kSetteiGroups[i];
    int opt = options_[i][1]->isChecked() ? 1 : 0;
    g_.s.settei[std::size_t(grp.setting)] = settei_value_for(grp, opt);
  }
  store_language();
  if (record_->isChecked() != recording_switched_on(g_) && !save_recording_switch(g_, record_->isChecked()))
    g_.os.message_box(g_.os.tr("棋譜の記録の設定を保存できません。"), g_.os.tr("棋譜"), MessageButtons::Ok,
                      MessageIcon::Warning);
  extras_->store();
  // A failed save has shown its own message; the dialog closes either way.
  try {
    settei_save(g_);
  } catch (const std::exception&) {
  }
  close();
}

void FrmSettei::cmdNG_Click() { close(); }

}  // namespace sekiba
