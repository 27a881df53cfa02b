// artgen_act OUT_DIR: draws every picture of the action mode's texture table into
// OUT_DIR/Data/Graphic/Act/. Each part of the action mode brings its drawings in a header of its
// own (artact_stage.h: chips, backgrounds, fade and HUD; artact_hero.h, drawn in artact_hero.cpp:
// the hero's two sheets; artact_attacks.h: the attack and effect sheets; artact_mobs.h: the
// enemies and their shots; artact_items.h: the items and map objects). A picture that no header
// draws is an error.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "act/actgraphics.h"
#include "tools/artact_attacks.h"
#include "tools/artact_hero.h"
#include "tools/artact_items.h"
#include "tools/artact_mobs.h"
#include "tools/artact_stage.h"
#include "tools/artkit.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen_act OUT_DIR\n");
    return 2;
  }
  artact::Pictures pictures;
  artact::DrawStagePictures(&pictures);
  artact::DrawAttackPictures(&pictures);
  artact::DrawMobPictures(&pictures);
  artact::DrawItemPictures(&pictures);
  pictures.emplace("Kest_DualSword.bmp", artact::DrawHeroSheet(false));
  pictures.emplace("Kest_GreatSword.bmp", artact::DrawHeroSheet(true));

  const std::string dir = std::string(argv[1]) + "/Data/Graphic/Act/";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  bool ok = true;
  std::set<std::string> written;
  for (const char* file : ActTexture::kFiles) {
    if (!file || !written.insert(file).second) continue;
    const auto drawn = pictures.find(file);
    if (drawn == pictures.end()) {
      std::fprintf(stderr, "artgen_act: nothing draws %s\n", file);
      ok = false;
      continue;
    }
    if (!drawn->second.SaveBmp(dir + file)) {
      std::fprintf(stderr, "artgen_act: cannot write %s%s\n", dir.c_str(), file);
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
