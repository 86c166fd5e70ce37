#pragma once
// Start-up, the menu commands and quitting.
#include <string>

namespace sekiba {

struct Game;
class Platform;

// Start-up of the main window. False when another copy is running: the message
// has been shown and the program must end.
bool Form_Load(Game& g);
void game_init(Game& g);

// Runs one menu command by its item name. Commands whose features are not built
// yet do nothing.
void menu_command(Game& g, const std::string& name);

// mnumode1..mnumode8: item is 1..8.
void mnumode_Click(Game& g, int item);
void mnuend_Click(Game& g);
void Form_Unload(Game& g);

// Loads a picture file into the table background, scaled to fit when its size
// differs; false (background unchanged) when it cannot be read.
bool load_background(Game& g, const std::string& name);

// "翠嶺牌戯 for Windows (ＬＡＮ対戦機能付き) Ver.1.00", in the player's language
std::string window_caption(const Platform& os);
// "1.00": major "." minor revision.
std::string version_text();

}  // namespace sekiba
