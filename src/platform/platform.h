#pragma once
// The one door between the game and the outside world. The game (every folder but
// qt/) talks to windows, fonts, sound, clock, files of pictures and the desktop
// only through this interface; QtPlatform implements it for real, HeadlessPlatform
// in memory for tests and the command-line tool.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/surface.h"

// Marks a text for the catalogue where it stands in a table; it is passed through
// Platform::tr where it is shown.
#define N_(text) text
// The same for a text read later with Platform::tr_in(context, ...).
#define NC_(context, text) text

namespace sekiba {

// Thrown out of yield() and sleep_until_event() once the user has asked to quit,
// so that every wait of the game unwinds at once. The entry points from the event
// loop catch it.
struct QuitRequested : std::exception {
  const char* what() const noexcept override { return "quit requested"; }
};

struct TextStyle {
  int point = 12;       // point size at 96 dpi (so 12 point is 16 pixels high)
  bool bold = true;
  Pixel color = kBlack;
  // When above 0, the text is set on a grid: a half-width character takes this
  // many pixels, any other character twice as many, and a glyph wider than its
  // cell is narrowed to fit it.
  int cell = 0;
};

// Characters that take one column of the text grid: ASCII and the half-width
// katakana; every other character takes two.
inline bool half_width(char32_t c) { return (c >= 0x20 && c < 0x7F) || (c >= 0xFF61 && c <= 0xFF9F); }

// The character of a UTF-8 text that starts at byte i, and i moved past it
// (a cut-off character takes what is there).
inline char32_t next_character(const std::string& utf8, std::size_t& i) {
  const unsigned char b = static_cast<unsigned char>(utf8[i]);
  const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
  for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k)
    c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
  i += n;
  return c;
}

// Grid columns of a UTF-8 text.
inline int grid_columns(const std::string& utf8) {
  int cols = 0;
  for (std::size_t i = 0; i < utf8.size();) cols += half_width(next_character(utf8, i)) ? 1 : 2;
  return cols;
}

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageAnswer { Ok, Yes, No };

// Input as the game sees it: keys carry the Windows virtual-key code, mouse
// positions are pixels of the 640 x 480 surface.
struct InputEvent {
  enum class Kind { KeyDown, MouseDown, MouseMove };
  Kind kind = Kind::KeyDown;
  int vk = 0;          // KeyDown: virtual-key code
  int button = 0;      // MouseDown: 1 left, 2 right, 4 middle
  int x = 0;           // mouse: surface pixel
  int y = 0;
  bool shift = false;
  bool ctrl = false;
};

// A line chart of one series shown over the table (the score history).
struct ChartPlan {
  bool three_d = false;
  std::string title, footnote;
  std::vector<double> rows;  // rows 1.. in order
  int left = 0, top = 0, width = 0, height = 0;  // surface pixels
};

struct LocalTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // ---- painting into surfaces (the raster operations are the game's own) ----
  // Text whose top-left corner is (x, y), in the CJK window font.
  virtual void draw_text(Surface& s, int x, int y, const std::string& utf8, const TextStyle& st) = 0;
  // Text centred in a rectangle.
  virtual void draw_text_centered(Surface& s, const RectF& r, const std::string& utf8,
                                  const TextStyle& st) = 0;
  virtual int text_width(const std::string& utf8, const TextStyle& st) = 0;
  // Anti-aliased shapes. A pen width of 0 draws no outline.
  virtual void fill_round_rect(Surface& s, const RectF& r, double radius, Pixel fill,
                               Pixel pen = kBlack, double pen_width = 0) = 0;
  virtual void fill_ellipse(Surface& s, const RectF& r, Pixel fill, Pixel pen = kBlack,
                            double pen_width = 0) = 0;
  virtual void fill_polygon(Surface& s, const PointF* pts, int count, Pixel fill) = 0;
  virtual void draw_thick_line(Surface& s, PointF a, PointF b, double width, Pixel color) = 0;
  // Fills a rectangle with a vertical linear gradient from top to bottom colour.
  virtual void fill_gradient(Surface& s, const RectF& r, Pixel top, Pixel bottom) = 0;
  // One element of an SVG file drawn to fill a rectangle; false when the file or
  // the element cannot be had.
  virtual bool draw_svg_element(Surface& s, const std::string& file, const std::string& id,
                                const RectF& r) = 0;
  // Loads a JPEG or BMP picture at its own size; false (and s unchanged) on failure.
  virtual bool load_image(const std::string& path, Surface& s) = 0;
  virtual bool save_bmp(const Surface& s, const std::string& path) = 0;

  // ---- the player's language ----
  // Every text a player can see is written in the game in Japanese, exactly as
  // the game gives it, and passes here on its way to the screen: the answer is
  // that text in the player's language (the Japanese text itself when the player
  // reads Japanese, or when the catalogue has no entry for it). Files, wire
  // messages and stored names never pass here. The source marks each such text
  // with tr("...") or, in a table read later, N_("...") so the catalogue tools
  // find it.
  virtual std::string tr(const std::string& ja) const { return ja; }
  // The same for a text that needs another wording in one place (a short name
  // where the table has little room): the catalogue tells the two apart by the
  // context, a short ASCII word such as "table".
  virtual std::string tr_in(const char* context, const std::string& ja) const {
    (void)context;
    return ja;
  }
  // The language tr answers in, as a short code: "ja" or "en". Only what cannot
  // go through tr asks it: a whole document kept once per language (the help page).
  virtual std::string language() const { return "ja"; }

  // ---- the window ----
  // The surface the window shows; it stays owned by the game.
  virtual void set_window_surface(const Surface* s) = 0;
  // Something was drawn on the window surface: repaint at the next chance.
  virtual void window_changed() = 0;
  virtual void set_caption(const std::string& utf8) = 0;
  // A short message shown for a moment over the table, never drawn into its
  // surface (so a capture or a saved band never holds it).
  virtual void show_notice(const std::string& utf8) { (void)utf8; }
  // The same for a line that matters only for the moment (ms milliseconds).
  virtual void show_notice_for(const std::string& utf8, int ms) {
    (void)ms;
    show_notice(utf8);
  }
  virtual void center_window() = 0;
  // A custom pointer image (the colour 0xFFFF00FF is transparent), or nullptr for
  // the default arrow.
  virtual void set_pointer(const Surface* image, int hot_x, int hot_y) = 0;

  // ---- menus and dialogs ----
  virtual void menu_visible(const std::string& menu, bool visible) = 0;
  virtual void menu_checked(const std::string& menu, bool checked) = 0;
  // Opens a modeless dialog by its form name ("frmsettei", ...).
  virtual void open_dialog(const std::string& form) = 0;
  // Closes it as its own close button would, when it is open.
  virtual void close_dialog(const std::string& form) { (void)form; }
  virtual MessageAnswer message_box(const std::string& text, const std::string& title,
                                    MessageButtons buttons, MessageIcon icon) = 0;
  // A Yes/No question asked in the middle of a wait: No is the default button,
  // events and datagrams go on being handled while it is open, and it closes by
  // itself, answering No, as soon as `settled()` turns true.
  virtual MessageAnswer ask_while_waiting(const std::string& text, const std::string& title,
                                          const std::function<bool()>& settled) {
    if (settled()) return MessageAnswer::No;
    return message_box(text, title, MessageButtons::YesNo, MessageIcon::Question);
  }
  // The chart control over the table: shown until chart_hide.
  virtual void chart_show(const ChartPlan&) {}
  virtual void chart_hide() {}

  // ---- event loop and time ----
  // Handles what is pending and returns at once (never blocks).
  virtual void yield() = 0;
  // Blocks in the event loop until an event arrives or max_ms passes (max_ms < 0:
  // no limit), then handles events.
  virtual void sleep_until_event(int max_ms) = 0;
  // The same, used by the waits for the LAN partner: a platform that fakes time
  // may let only the time really waited pass here.
  virtual void sleep_until_datagram(int max_ms) { sleep_until_event(max_ms); }
  virtual std::int64_t now_ms() = 0;
  virtual LocalTime local_time() = 0;
  // Ends the program: waits unwind with QuitRequested, the event loop stops.
  virtual void quit() = 0;
  virtual bool quit_requested() const = 0;

  // Handlers the game installs; they run inside yield() / sleep_until_event().
  std::function<void(const InputEvent&)> on_input;
  std::function<void(const std::string& menu)> on_menu;
  // The window's close button (Form_Unload).
  std::function<void()> on_close;
  // The window now shows k device pixels per logical pixel of the table: the
  // table is to be drawn again at that scale before it is shown.
  std::function<void(double k)> on_scale;
  // Whether on_scale(k) would only draw the table again (its pictures of that
  // scale are at hand), which is quick enough to do before a paint.
  std::function<bool(double k)> scale_ready;

  // ---- sound ----
  // Plays a WAV file to its end (the call blocks); false when it cannot be played.
  virtual bool play_wave(const std::string& path) = 0;
  virtual void stop_sound() = 0;
  // The loudness of every sound from now on, 0..100 percent; muted sounds still
  // take their time, so the game keeps its pace.
  virtual void set_sound_volume(int percent, bool muted) {
    (void)percent;
    (void)muted;
  }

  // ---- UDP (the LAN match) ----
  // The receive buffer every platform asks for on its socket.
  static constexpr int kUdpReceiveBuffer = 8 << 20;
  // One socket at a time. Binds it to a local port; false when the port is taken.
  virtual bool udp_bind(int local_port) { (void)local_port; return false; }
  // Where udp_send goes. Resolves the name; false when it cannot be resolved, and
  // then nothing is sent. The resolved address is what datagrams from the
  // partner carry as their sender.
  virtual bool udp_set_remote(const std::string& host, int port) {
    (void)host;
    (void)port;
    return false;
  }
  virtual std::string udp_remote_address() const { return {}; }
  // One datagram holding the bytes as they are.
  virtual bool udp_send(const std::string& bytes) { (void)bytes; return false; }
  virtual void udp_close() {}
  // Runs inside yield() / sleep_until_event() for each datagram that arrived: its
  // bytes, the sender's address (dotted IPv4 or IPv6 text) and port.
  std::function<void(const std::string& bytes, const std::string& from, int from_port)>
      on_datagram;
  // Runs at the end of every yield() / sleep_until_event(), after the events were
  // handled and outside the toolkit's dispatch, so it may throw to unwind the
  // wait (leaving a LAN match from its menu does).
  std::function<void()> after_events;

  // ---- desktop ----
  virtual bool another_instance_running() = 0;
  // Folder for the program's data files (settings, records, saves) and for the
  // optional pictures and sounds, without a trailing separator.
  virtual std::string app_path() = 0;
  // Folders the program reads its files from, first match wins.
  virtual std::vector<std::string> read_folders() { return {app_path()}; }
  // The folder of the user's own preferences beyond the settings file; empty:
  // nothing of them is read or kept.
  virtual std::string config_folder() { return {}; }
  virtual bool shell_open(const std::string& target) = 0;
  virtual void set_clipboard(const std::string& utf8) = 0;
};

// Joins app_path and one of the game's file names written the original way,
// "\sekiba_set.txt" (a leading backslash is a folder separator).
std::string join_app_path(const std::string& app_path, const std::string& name);

}  // namespace sekiba
