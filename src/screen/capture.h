#pragma once
// The small services of the help menu: the screen capture written as a bitmap,
// the help page opened by the desktop, and the texts of the version box.
#include <string>

#include "platform/platform.h"
#include "platform/surface.h"

namespace sekiba {

struct Game;

inline constexpr int kCaptureW = 636, kCaptureH = 445;
inline constexpr const char* kCaptureFile = "\\sekiba_capture.bmp";
inline constexpr const char* kHelpFile = "\\sekiba_html_help_mokuji.htm";
inline constexpr const char* kHelpFileEn = "\\sekiba_html_help_mokuji_en.htm";

// "2024/05/01 9:05:03": the date and time the way the stamp writes them.
std::string general_date(const LocalTime& t);

// The window's drawing area, 636 x 445, with the name and time stamped on a
// white band in the lower right corner.
Surface capturewindow(Game& g);
// A 24-bit Windows bitmap of the surface, bottom row first.
std::string encode_bmp(const Surface& s);
// Writes sekiba_capture.bmp; on failure says so in a message box.
bool save_capactive(Game& g, const Surface& capactive);

// "画面ｷｬﾌﾟﾁｬｰ(&C)" and F12.
void mnucap_Click(Game& g);
// "ﾍﾙﾌﾟ(&H)": the help contents page beside the program, shown in the game's
// own help window, so that it opens whether or not the desktop has a program
// for local pages.
void mnusousa_Click(Game& g);
// Where the help contents page is read from.
std::string help_file(const Game& g);
// "ﾎｰﾑﾍﾟｰｼﾞ(&P)": the project's page on the web, opened by the desktop. Its
// address is given when the game is built; without one the item is hidden
// (start-up hides it) and does nothing.
void mnuhome_Click(Game& g);
std::string home_page_address();
void open_home_page(Game& g, const std::string& address);
// "ﾊﾞｰｼﾞｮﾝ情報(&A)": the version box.
void mnuabout_Click(Game& g);

// The version box texts.
struct AboutInfo {
  std::string application;  // lblapplication
  std::string heading;      // lblheading: "ﾊﾞｰｼﾞｮﾝ 1.00"
  std::string copyright;    // lblcopyright, prefix included
  std::string address;      // lbladdress
  std::string licence;      // lbllicence
};
// heading: "ﾊﾞｰｼﾞｮﾝ " + major "." minor revision, minor and revision unseparated.
std::string about_heading(int major, int minor, int revision);
AboutInfo about_info();
// The same in the player's language.
AboutInfo about_info(const Platform& os);
// The version box's picture (Image1) and its hidden picture (PicNON), both
// 80 x 80, painted with the table's tile pictures at k device pixels a pixel.
inline constexpr int kAboutPictureSize = 80;
Surface about_picture(Game& g, double k = 1);
Surface about_hidden_picture(Game& g, double k = 1);

}  // namespace sekiba
