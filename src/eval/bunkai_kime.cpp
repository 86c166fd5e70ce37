// Which decomposition the computer player plans its discards around.
#include "eval/bunkai.h"

#include "engine/game.h"
#include "eval/hand.h"

namespace sekiba {

namespace {

struct Choice {
  int case_no, shuntsu_jun, atama_jun;
};

void write_choice(Analysis& a, const Choice& c) {
  a.bunkai_no = std::int16_t(c.case_no);
  a.shuntsu_jun = std::int16_t(c.shuntsu_jun);
  a.atama_jun = std::int16_t(c.atama_jun);
}

}  // namespace

void com_bunkai_kime(Game& g) {
  Analysis& a = g.a;
  int best = 14, second = 14;
  Choice choice{a.bunkai_no, a.shuntsu_jun, a.atama_jun};
  auto take = [&](int r, const Choice& c) {
    best = r;
    choice = c;
  };

  work_hai_sort(g);
  work_bak1_save(g);
  for (int atama = 1; atama <= 2; ++atama) {
    for (int jun = 1; jun <= 4; ++jun) {
      for (int case_no = 1; case_no <= 6; ++case_no) {
        a.atama_jun = std::int16_t(atama);
        a.shuntsu_jun = std::int16_t(jun);
        work_bak1_load(g);
        const int r = mentsu_bunkai(g, case_no);
        const Choice here{case_no, jun, atama};
        if (r == 2) {
          // Four sets and two tiles: only worth it when they form an open shape.
          if (best >= 2) {
            remove_open_shapes(g);
            if (nokori_kazu(g) == 0) take(r, here);
          }
        } else if (r == 3) {
          if (best == 3) {
            remove_open_shapes(g);
            if (nokori_kazu(g) == 1) {
              // An open shape and one tile over: nothing can do better.
              write_choice(a, here);
              return;
            }
            remove_pairs(g);
            if (nokori_kazu(g) == 1) take(r, here);
          } else if (best > 3) {
            take(r, here);
          }
        } else if (r == best) {
          // A tie is broken by how few tiles remain outside every shape.
          remove_open_shapes(g);
          remove_pairs(g);
          const int left = nokori_kazu(g);
          if (left < second) {
            take(r, here);
            second = left;
          }
        } else if (r < best) {
          take(r, here);
        }
      }
    }
  }

  for (int atama = 1; atama <= 2; ++atama) {
    work_bak1_load(g);
    a.atama_jun = std::int16_t(atama);
    a.shuntsu_jun = 1;
    const int r = mentsu_bunkai(g, 7);
    if (r < best) take(r, Choice{7, 1, atama});
  }

  work_bak1_load(g);
  a.atama_jun = 1;
  a.shuntsu_jun = 1;
  if (mentsu_bunkai(g, 8) <= 2) choice = Choice{8, 1, 1};
  write_choice(a, choice);
}

void com_kotsu_kime(Game& g) {
  com_work_set(g);
  work_hai_sort(g);
  if (mentsu_bunkai(g, 7) <= 6) g.a.bunkai_no = 7;
}

}  // namespace sekiba
