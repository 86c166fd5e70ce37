#pragma once
// The settings dialog's page of conveniences: each off by default and kept in
// a file of its own, never in the settings file.
#include <QWidget>

class QCheckBox;
class QLabel;
class QSlider;

namespace sekiba {

struct Game;

class ExtrasPage : public QWidget {
  Q_OBJECT
 public:
  ExtrasPage(Game& g, QWidget* parent);

  // Shows the conveniences as they are.
  void extras_input();
  // Takes them over, keeps them, and tells the sound its new volume.
  void store();

  QCheckBox* calls() const { return calls_; }
  QCheckBox* refusals() const { return refusals_; }
  QCheckBox* hints() const { return hints_; }
  QSlider* volume() const { return volume_; }
  QCheckBox* mute() const { return mute_; }

 private:
  Game& g_;
  QCheckBox* calls_ = nullptr;
  QCheckBox* refusals_ = nullptr;
  QCheckBox* hints_ = nullptr;
  QSlider* volume_ = nullptr;
  QLabel* volume_value_ = nullptr;
  QCheckBox* mute_ = nullptr;
};

}  // namespace sekiba
