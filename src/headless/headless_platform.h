#pragma once
// The platform in memory: a virtual clock, scripted input and message-box answers,
// a record of what the game showed and played. Drawing of text and SVG is a no-op
// (surfaces keep their pixels so tests can read them); waits return at once.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/catalogue.h"
#include "platform/platform.h"

namespace sekiba {

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();

  // ---- what the game did ----
  struct Message {
    std::string text, title;
    MessageButtons buttons;
    MessageIcon icon;
  };
  std::vector<Message> messages;
  std::vector<std::string> sounds;  // paths played
  std::vector<std::string> dialogs_opened;
  std::vector<std::string> dialogs_closed;
  std::vector<std::string> shell_opened;
  std::string caption;
  std::vector<std::string> captions;  // every caption set, in order
  std::vector<std::string> notices;
  std::string clipboard;
  std::map<std::string, bool> menu_shown;
  std::map<std::string, bool> menu_check;
  std::vector<ChartPlan> charts;  // every chart shown
  bool chart_visible = false;
  const Surface* window_surface = nullptr;
  const Surface* pointer = nullptr;
  int window_changes = 0;
  int yields = 0;
  bool centered = false;

  // ---- the player's language ----
  // Empty: the texts as written (Japanese). A test that loads the English
  // catalogue plays the game in English.
  Catalogue catalogue;
  std::string tr(const std::string& ja) const override { return catalogue.find(ja); }
  std::string tr_in(const char* context, const std::string& ja) const override {
    return catalogue.find(context, ja);
  }
  // English is the one catalogue there is: a game with any catalogue speaks it.
  std::string language() const override { return catalogue.empty() ? "ja" : "en"; }

  // ---- what the test scripts ----
  std::deque<MessageAnswer> answers;  // next message-box answers (default: Ok / Yes)
  std::deque<InputEvent> input;       // delivered one per wait through on_input
  bool other_instance = false;
  std::string data_folder = ".";
  std::int64_t clock_ms = 0;
  LocalTime time_of_day{};
  // Whether play_wave finds its files.
  bool sounds_exist = true;
  // Given to every wait without a time limit that finds the input queue empty
  // (for example "press Enter at every prompt"). Without it such a wait that
  // nothing can ever end throws after a while instead of hanging the test.
  std::function<void(HeadlessPlatform&)> on_idle;
  int max_idle_waits = 10000;

  bool menu_is_visible(const std::string& m) const {
    auto it = menu_shown.find(m);
    return it == menu_shown.end() ? true : it->second;
  }

  // Texts drawn, in order (the pixels stay untouched).
  std::vector<std::string> texts;
  bool drew(const std::string& text) const {
    for (const auto& t : texts)
      if (t == text) return true;
    return false;
  }
  void draw_text(Surface&, int, int, const std::string& utf8, const TextStyle&) override {
    if (texts.size() < 100000) texts.push_back(utf8);
  }
  // Texts centred in boxes (the labels of the sprite sheets), kept apart from
  // the texts above.
  std::vector<std::string> centered_texts;
  void draw_text_centered(Surface&, const RectF&, const std::string& utf8, const TextStyle&) override {
    if (centered_texts.size() < 100000) centered_texts.push_back(utf8);
  }
  int text_width(const std::string& utf8, const TextStyle& st) override;
  void fill_round_rect(Surface& s, const RectF& r, double radius, Pixel fill, Pixel pen,
                       double pen_width) override;
  void fill_ellipse(Surface& s, const RectF& r, Pixel fill, Pixel pen, double pen_width) override;
  void fill_polygon(Surface& s, const PointF* pts, int count, Pixel fill) override;
  void draw_thick_line(Surface& s, PointF a, PointF b, double width, Pixel color) override;
  void fill_gradient(Surface& s, const RectF& r, Pixel top, Pixel bottom) override;
  bool draw_svg_element(Surface&, const std::string&, const std::string&, const RectF&) override {
    return false;
  }
  bool load_image(const std::string& path, Surface& s) override;
  bool save_bmp(const Surface& s, const std::string& path) override;

  void set_window_surface(const Surface* s) override { window_surface = s; }
  void window_changed() override { ++window_changes; }
  void set_caption(const std::string& utf8) override {
    caption = utf8;
    captions.push_back(utf8);
  }
  void show_notice(const std::string& utf8) override { notices.push_back(utf8); }
  void center_window() override { centered = true; }
  void set_pointer(const Surface* image, int, int) override { pointer = image; }

  void menu_visible(const std::string& menu, bool visible) override { menu_shown[menu] = visible; }
  void menu_checked(const std::string& menu, bool checked) override { menu_check[menu] = checked; }
  void open_dialog(const std::string& form) override { dialogs_opened.push_back(form); }
  void close_dialog(const std::string& form) override {
    dialogs_closed.push_back(form);
    if (on_dialog_close) on_dialog_close(form);
  }
  // What a dialog hands the game as it closes (for example the name typed).
  std::function<void(const std::string& form)> on_dialog_close;
  void chart_show(const ChartPlan& c) override {
    charts.push_back(c);
    chart_visible = true;
  }
  void chart_hide() override { chart_visible = false; }
  MessageAnswer message_box(const std::string& text, const std::string& title,
                            MessageButtons buttons, MessageIcon icon) override;
  // Records the question, lets datagrams in and calls on_prompt once; answers No
  // when that settled the wait, else the next scripted answer (default No).
  MessageAnswer ask_while_waiting(const std::string& text, const std::string& title,
                                  const std::function<bool()>& settled) override;
  std::function<void(HeadlessPlatform&)> on_prompt;

  void yield() override;
  void sleep_until_event(int max_ms) override;
  std::int64_t now_ms() override { return clock_ms; }
  LocalTime local_time() override { return time_of_day; }
  void quit() override { quit_ = true; }
  bool quit_requested() const override { return quit_; }

  bool play_wave(const std::string& path) override;
  void stop_sound() override {}
  // The loudness the game asked for last.
  int volume = 100;
  bool muted = false;
  void set_sound_volume(int percent, bool mute) override {
    volume = percent;
    muted = mute;
  }

  // ---- UDP over real sockets bound to 127.0.0.1 ----
  // Added to every port the game names, so that tests running side by side keep
  // the game's fixed ports yet use free ones.
  int udp_port_shift = 0;
  // A wait for a datagram blocks for real at most this long per call, and only
  // the real time waited passes on the virtual clock ...
  int udp_poll_ms = 20;
  // ... unless this is set: then a wait that finds nothing lets its whole time
  // pass at once (tests of the no-answer prompt).
  bool udp_idle_jumps = false;
  bool udp_bind(int local_port) override;
  bool udp_set_remote(const std::string& host, int port) override;
  std::string udp_remote_address() const override { return remote_text_; }
  bool udp_send(const std::string& bytes) override;
  void udp_close() override;
  bool udp_open() const { return udp_fd_ >= 0; }
  void sleep_until_datagram(int max_ms) override;
  ~HeadlessPlatform() override;

  bool another_instance_running() override { return other_instance; }
  std::string app_path() override { return data_folder; }
  // Folders to read from; empty: data_folder alone.
  std::vector<std::string> read_folder_list;
  std::vector<std::string> read_folders() override {
    return read_folder_list.empty() ? std::vector<std::string>{data_folder} : read_folder_list;
  }
  bool shell_open(const std::string& target) override {
    shell_opened.push_back(target);
    return true;
  }
  void set_clipboard(const std::string& utf8) override { clipboard = utf8; }
  // The user's preferences folder; empty: none, as for a game nobody configured.
  std::string config_dir;
  std::string config_folder() override { return config_dir; }

 private:
  bool quit_ = false;
  int idle_waits_ = 0;
  void deliver_one();
  // Hands every datagram waiting (up to timeout_ms of real time for the first) to
  // on_datagram; returns how many.
  int poll_udp(int timeout_ms);
  void finish_wait();
  int udp_fd_ = -1;
  std::vector<char> udp_buf_;
  std::string remote_text_;
  bool remote_set_ = false;
  unsigned remote_addr_ = 0;  // network order
  int remote_port_ = 0;
};

}  // namespace sekiba
