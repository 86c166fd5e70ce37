#pragma once
// The platform door made real with Qt. Painting primitives live in qt_paint.cpp,
// the window, menus, dialogs, sound and desktop services in qt_platform.cpp.
#include <QFont>
#include <QImage>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/catalogue.h"
#include "platform/folders.h"
#include "platform/platform.h"

class QLockFile;
class QUdpSocket;
class QSvgRenderer;

namespace sekiba {

class FrmSekiba;
struct Game;

// A QImage that paints straight into a Surface's pixels (both are 0xFFRRGGBB).
QImage wrap_surface(Surface& s);
QString qs(const std::string& utf8);

// Before the first sound opens the sound server: the game's sounds are a game's
// to the desktop's sound server (its volume controls and policies), unless the
// user's environment already says otherwise.
void declare_sound_role();

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  // The main window and the game it serves; set once by main().
  void attach(FrmSekiba* window, Game* game);
  FrmSekiba* window() const { return window_; }
  Game* game() const { return game_; }

  void draw_text(Surface& s, int x, int y, const std::string& utf8, const TextStyle& st) override;
  void draw_text_centered(Surface& s, const RectF& r, const std::string& utf8,
                          const TextStyle& st) override;
  int text_width(const std::string& utf8, const TextStyle& st) override;
  void fill_round_rect(Surface& s, const RectF& r, double radius, Pixel fill, Pixel pen,
                       double pen_width) override;
  void fill_ellipse(Surface& s, const RectF& r, Pixel fill, Pixel pen, double pen_width) override;
  void fill_polygon(Surface& s, const PointF* pts, int count, Pixel fill) override;
  void draw_thick_line(Surface& s, PointF a, PointF b, double width, Pixel color) override;
  void fill_gradient(Surface& s, const RectF& r, Pixel top, Pixel bottom) override;
  bool draw_svg_element(Surface& s, const std::string& file, const std::string& id,
                        const RectF& r) override;
  bool load_image(const std::string& path, Surface& s) override;
  bool save_bmp(const Surface& s, const std::string& path) override;

  // The catalogue of the player's language; empty: the texts as written.
  void set_catalogue(Catalogue c) { catalogue_ = std::move(c); }
  std::string tr(const std::string& ja) const override { return catalogue_.find(ja); }
  std::string tr_in(const char* context, const std::string& ja) const override {
    return catalogue_.find(context, ja);
  }
  // English is the one catalogue there is: a game with any catalogue speaks it.
  std::string language() const override { return catalogue_.empty() ? "ja" : "en"; }

  void set_window_surface(const Surface* s) override;
  void window_changed() override;
  void set_caption(const std::string& utf8) override;
  void show_notice(const std::string& utf8) override;
  void center_window() override;
  void set_pointer(const Surface* image, int hot_x, int hot_y) override;

  void menu_visible(const std::string& menu, bool visible) override;
  void menu_checked(const std::string& menu, bool checked) override;
  void open_dialog(const std::string& form) override;
  void close_dialog(const std::string& form) override;
  MessageAnswer message_box(const std::string& text, const std::string& title,
                            MessageButtons buttons, MessageIcon icon) override;
  MessageAnswer ask_while_waiting(const std::string& text, const std::string& title,
                                  const std::function<bool()>& settled) override;
  void chart_show(const ChartPlan& plan) override;
  void chart_hide() override;

  void yield() override;
  void sleep_until_event(int max_ms) override;
  std::int64_t now_ms() override;
  LocalTime local_time() override;
  void quit() override;
  bool quit_requested() const override { return quit_; }

  bool play_wave(const std::string& path) override;
  void stop_sound() override;
  void set_sound_volume(int percent, bool muted) override;
  // The linear gain of a sound at the player's volume (0..100 on a scale that
  // sounds even to the ear); 0 when muted.
  static double sound_gain(int percent, bool muted);

  bool udp_bind(int local_port) override;
  bool udp_set_remote(const std::string& host, int port) override;
  std::string udp_remote_address() const override;
  bool udp_send(const std::string& bytes) override;
  void udp_close() override;

  bool another_instance_running() override;
  std::string app_path() override;
  std::vector<std::string> read_folders() override;
  std::string config_folder() override;
  bool shell_open(const std::string& target) override;
  void set_clipboard(const std::string& utf8) override;

  // The window font at a point size (96 dpi points, so pixel size = point * 4 / 3).
  static QFont game_font(int point, bool bold, double k = 1);

 private:
  FrmSekiba* window_ = nullptr;
  Catalogue catalogue_;
  Game* game_ = nullptr;
  bool quit_ = false;
  int volume_ = 100;
  bool muted_ = false;
  std::unique_ptr<QLockFile> instance_lock_;
  std::optional<FolderPlan> folders_;
  const FolderPlan& folders();
  std::unique_ptr<QUdpSocket> udp_;
  std::string remote_address_;
  int remote_port_ = 0;
  std::map<std::string, std::unique_ptr<QSvgRenderer>> svg_cache_;
};

}  // namespace sekiba
