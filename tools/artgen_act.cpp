// artgen_act OUT_DIR: draws every picture of the action mode's texture table into
// OUT_DIR/Data/Graphic/Act/. Each part of the action mode brings its drawings in a header of its
// own (artact_stage.h: chips, backgrounds, fade and HUD; artact_hero.h: the hero's two sheets;
// artact_attacks.h: the attack and effect sheets; artact_items.h: the items and map objects);
// a picture that no header draws yet is written as a transparent placeholder of its final size,
// so that every texture loads.
#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "act/actgraphics.h"
#include "tools/artact_attacks.h"
#include "tools/artact_hero.h"
#include "tools/artact_items.h"
#include "tools/artact_stage.h"
#include "tools/artkit.h"

using artkit::Canvas;

namespace {

// Final sizes of the pictures still to be drawn.
const std::map<std::string, std::pair<int, int>> kPlaceholderSizes = {
    {"Mob_Kedama.bmp", {256, 128}},   {"Mob_Hopper.bmp", {256, 64}},        {"Mob_Bomber.bmp", {96, 48}},
    {"ME_NormalBullet.bmp", {16, 16}}, {"ME_StampShockWave.bmp", {128, 32}}, {"ME_Burst.bmp", {624, 312}},
};

void MakeDirs(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i)
    if (path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen_act OUT_DIR\n");
    return 2;
  }
  artact::Pictures pictures;
  artact::DrawStagePictures(&pictures);
  artact::DrawAttackPictures(&pictures);
  artact::DrawItemPictures(&pictures);
  pictures.emplace("Kest_DualSword.bmp", artact::DrawHeroSheet(false));
  pictures.emplace("Kest_GreatSword.bmp", artact::DrawHeroSheet(true));

  const std::string dir = std::string(argv[1]) + "/Data/Graphic/Act/";
  MakeDirs(dir);
  bool ok = true;
  std::set<std::string> written;
  for (const char* file : ActTexture::kFiles) {
    if (!file || !written.insert(file).second) continue;
    auto drawn = pictures.find(file);
    if (drawn == pictures.end()) {
      const auto size = kPlaceholderSizes.find(file);
      if (size == kPlaceholderSizes.end()) {
        std::fprintf(stderr, "artgen_act: nothing draws %s\n", file);
        ok = false;
        continue;
      }
      Canvas placeholder(size->second.first, size->second.second, artact::kKeyGreen);
      drawn = pictures.emplace(file, placeholder).first;
    }
    if (!drawn->second.SaveBmp(dir + file)) {
      std::fprintf(stderr, "artgen_act: cannot write %s%s\n", dir.c_str(), file);
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
