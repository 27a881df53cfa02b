// The hero's two sprite sheets (see artact_hero.h for their cells): a pose for every cell, and
// the figure drawn from a pose.
#include "tools/artact_hero.h"

#include <algorithm>
#include <cmath>

namespace artact {

using artkit::Canvas;
using artkit::Rgb;

namespace {

constexpr int kHeroCell = 192;
constexpr int kHeroColumns = 10;
constexpr int kHeroRows = 6;
constexpr Rgb kHeroKey{0, 255, 0};

namespace hero {

constexpr float kPi = 3.14159265f;
constexpr Rgb kOutline{24, 20, 32};
constexpr Rgb kSkin{236, 196, 160};
constexpr Rgb kHair{52, 40, 58};
constexpr Rgb kBand{204, 42, 50};
constexpr Rgb kCoat{44, 72, 136};
constexpr Rgb kCoatLight{78, 112, 178};
constexpr Rgb kBelt{128, 84, 40};
constexpr Rgb kTrousers{62, 58, 74};
constexpr Rgb kBoots{96, 58, 32};
constexpr Rgb kBlade{224, 230, 242};
constexpr Rgb kBladeEdge{140, 152, 176};
constexpr Rgb kHilt{206, 164, 58};
constexpr Rgb kSwoosh{186, 222, 255};
constexpr Rgb kMagic{90, 210, 230};

struct Point {
  float x, y;
};
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, float s) { return {a.x * s, a.y * s}; }
Point Dir(float angle) { return {std::cos(angle), std::sin(angle)}; }  // 0 forward, y down

// One picture of the hero, in cell pixels. Angles are radians with 0 pointing forward (right)
// and positive turning downward.
struct Pose {
  Point hip{96, 150};
  float lean = 0.05f;            // the torso's tilt forward from upright
  Point frontFoot{106, 189}, backFoot{84, 189};
  Point frontHand{112, 146}, backHand{82, 144};
  float frontBlade = -0.6f, backBlade = 2.5f;  // directions of the blades from the hands
  bool swoosh = false;           // a slash trail behind the front blade
  float swooshFrom = 0, swooshTo = 0;
  bool backSwoosh = false;       // the same for the back blade (the double cut)
  float backSwooshFrom = 0, backSwooshTo = 0;
  bool magic = false;            // the teleport's sparks
  float scarfLift = 0;           // the scarf's tails fly up by this much
};

void Segment(Canvas& c, Point a, Point b, float width, Rgb colour) {
  c.Line(a.x, a.y, b.x, b.y, width + 3, kOutline);
  c.Line(a.x, a.y, b.x, b.y, width, colour);
}

void Quad(Canvas& c, Point a, Point b, Point d, Point e, Rgb colour) {
  c.FillTriangle(a.x, a.y, b.x, b.y, d.x, d.y, colour);
  c.FillTriangle(a.x, a.y, d.x, d.y, e.x, e.y, colour);
}

// The middle joint of a two-bone limb from root to end; of the two solutions, the one that
// prefer() rates higher.
template <typename Prefer>
Point Joint(Point root, Point end, float upper, float lower, Prefer prefer) {
  const Point d = end - root;
  float length = std::hypot(d.x, d.y);
  const float lo = std::fabs(upper - lower) + 0.01f, hi = upper + lower - 0.01f;
  length = std::min(std::max(length, lo), hi);
  const float base = std::atan2(d.y, d.x);
  const float bend = std::acos(std::min(1.f, std::max(-1.f, (upper * upper + length * length - lower * lower) /
                                                                (2 * upper * length))));
  const Point a = root + Dir(base + bend) * upper, b = root + Dir(base - bend) * upper;
  return prefer(a) >= prefer(b) ? a : b;
}

void Leg(Canvas& c, Point hip, Point foot, bool front) {
  const Point knee = Joint(hip, foot, 21, 21, [](Point p) { return p.x; });  // knees bend forward
  const Rgb trousers = front ? kTrousers : Rgb{48, 44, 58};
  Segment(c, hip, knee, 9, trousers);
  Segment(c, knee, foot - Point{0, 4}, 8, kBoots);
  // The boot: a hard wedge pointing forward.
  Quad(c, foot + Point{-6, -7}, foot + Point{6, -6}, foot + Point{10, 0}, foot + Point{-6, 0}, kOutline);
  Quad(c, foot + Point{-5, -6}, foot + Point{5, -5}, foot + Point{8, -1}, foot + Point{-5, -1}, kBoots);
}

void Arm(Canvas& c, Point shoulder, Point hand, bool front) {
  const Point elbow = Joint(shoulder, hand, 15, 14, [](Point p) { return p.y; });  // elbows hang
  const Rgb sleeve = front ? kCoatLight : kCoat;
  Segment(c, shoulder, elbow, 7, sleeve);
  Segment(c, elbow, hand, 6, sleeve);
  c.FillCircle(hand.x, hand.y, 4.5f, kOutline);
  c.FillCircle(hand.x, hand.y, 3.2f, kSkin);
}

// A blade gripped at hand: hilt behind the hand, guard, then a straight blade to a point.
void Blade(Canvas& c, Point hand, float angle, bool great) {
  const float length = great ? 64.f : 38.f, width = great ? 5.f : 2.6f;
  const float guard = great ? 10.f : 6.f, grip = great ? 16.f : 7.f;
  const Point d = Dir(angle), n = Dir(angle + kPi / 2);
  const Point pommel = hand - d * grip, root = hand + d * 3.f, tip = hand + d * (3.f + length);
  Segment(c, pommel, root, great ? 3.f : 2.f, kHilt);
  const Point a = root + n * (width + 1.5f), b = root - n * (width + 1.5f);
  c.FillTriangle(a.x, a.y, b.x, b.y, tip.x + d.x * 2, tip.y + d.y * 2, kOutline);
  const Point bodyEnd = root + d * (length * 0.85f);
  Quad(c, root + n * width, root - n * width, bodyEnd - n * width, bodyEnd + n * width, kBlade);
  c.FillTriangle((bodyEnd + n * width).x, (bodyEnd + n * width).y, (bodyEnd - n * width).x,
                 (bodyEnd - n * width).y, tip.x, tip.y, kBlade);
  c.Line(root.x, root.y, bodyEnd.x, bodyEnd.y, 1.2f, kBladeEdge);
  Segment(c, root + n * guard, root - n * guard, great ? 3.f : 2.f, kHilt);
}

// The arc a blade tip swept, as a thick pale crescent.
void Swoosh(Canvas& c, Point centre, float radius, float from, float to, bool great) {
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    const float t = float(i) / steps;
    const float a = from + (to - from) * t;
    const Point p = centre + Dir(a) * radius;
    c.FillCircle(p.x, p.y, (great ? 3.f : 2.f) + 4.f * t, kSwoosh);
  }
}

void DrawHero(Canvas& c, int originX, int originY, const Pose& pose, bool great) {
  auto at = [&](Point p) { return Point{p.x + originX, p.y + originY}; };
  const Point hip = at(pose.hip);
  const Point up = Dir(pose.lean - kPi / 2);
  const Point shoulder = hip + up * 28.f;
  const Point neck = hip + up * 31.f;
  const Point head = hip + up * 41.f + Point{2, 0};
  const Point frontHand = at(pose.frontHand);
  // With the great sword both hands hold the one grip.
  const Point backHand = great ? frontHand - Dir(pose.frontBlade) * 8.f : at(pose.backHand);
  const float bladeRadius = great ? 60.f : 40.f;

  if (pose.swoosh) Swoosh(c, frontHand, bladeRadius, pose.swooshFrom, pose.swooshTo, great);
  if (pose.backSwoosh && !great) Swoosh(c, backHand, bladeRadius, pose.backSwooshFrom, pose.backSwooshTo, false);

  // Behind the body: the scarf's tails, the back blade and arm, the back leg.
  const Point tail = neck + Point{-22, 4 - pose.scarfLift};
  c.FillTriangle(neck.x, neck.y - 2, neck.x, neck.y + 5, tail.x, tail.y, kOutline);
  c.FillTriangle(neck.x - 1, neck.y - 1, neck.x - 1, neck.y + 3, tail.x + 2, tail.y, kBand);
  if (!great) Blade(c, backHand, pose.backBlade, false);
  Arm(c, shoulder + Point{-3, 1}, backHand, false);
  Leg(c, hip + Point{-3, 0}, at(pose.backFoot), false);

  // The torso: a coat narrowing to the belt, and its skirt.
  const Point side = Dir(pose.lean);
  Quad(c, shoulder - side * 11.f, shoulder + side * 11.f, hip + side * 10.f + Point{0, 2},
       hip - side * 10.f + Point{0, 2}, kOutline);
  Quad(c, shoulder - side * 9.5f, shoulder + side * 9.5f, hip + side * 8.5f, hip - side * 8.5f, kCoat);
  Quad(c, shoulder + side * 2.f, shoulder + side * 9.5f, hip + side * 8.5f, hip + side * 3.f, kCoatLight);
  Quad(c, hip - side * 10.f + Point{0, -4}, hip + side * 10.f + Point{0, -4}, hip + side * 12.f + Point{0, 10},
       hip - side * 12.f + Point{0, 10}, kOutline);
  Quad(c, hip - side * 8.5f + Point{0, -3}, hip + side * 8.5f + Point{0, -3}, hip + side * 10.5f + Point{0, 8},
       hip - side * 10.5f + Point{0, 8}, kCoat);
  Quad(c, hip - side * 9.f + Point{0, -4}, hip + side * 9.f + Point{0, -4}, hip + side * 9.f + Point{0, 0},
       hip - side * 9.f + Point{0, 0}, kBelt);
  Leg(c, hip + Point{3, 0}, at(pose.frontFoot), true);

  // The head: hair swept back in hard spikes, the face, the eye, the headband.
  c.FillCircle(head.x, head.y, 10.5f, kOutline);
  for (int i = 0; i < 3; ++i) {
    const Point root = head + Point{-3.f - 3 * i, -6.f + 3 * i};
    const Point tip = head + Point{-15.f - 2 * i, -9.f + 5 * i};
    c.FillTriangle(root.x, root.y - 4, root.x, root.y + 4, tip.x, tip.y, kOutline);
    c.FillTriangle(root.x + 1, root.y - 2.5f, root.x + 1, root.y + 2.5f, tip.x + 1.5f, tip.y, kHair);
  }
  c.FillCircle(head.x, head.y, 9.f, kHair);
  c.FillCircle(head.x + 2.5f, head.y + 1.5f, 7.f, kSkin);
  c.FillRect(int(head.x + 5), int(head.y - 1), 2, 3, kOutline);
  c.FillRect(int(head.x - 9), int(head.y - 6), 19, 3, kBand);
  c.FillTriangle(head.x - 9, head.y - 6, head.x - 9, head.y - 3, head.x - 20, head.y - 2 - pose.scarfLift, kBand);
  c.FillRect(int(neck.x - 4), int(neck.y - 3), 9, 4, kBand);  // the scarf's knot

  // In front: the front arm and its blade.
  Arm(c, shoulder + Point{3, 1}, frontHand, true);
  Blade(c, frontHand, pose.frontBlade, great);

  if (pose.magic) {
    for (int i = 0; i < 6; ++i) {
      const Point p = hip + Dir(i * kPi / 3 + 0.3f) * 36.f + Point{0, -10};
      c.FillTriangle(p.x, p.y - 5, p.x + 4, p.y, p.x - 4, p.y, kMagic);
      c.FillTriangle(p.x, p.y + 5, p.x + 4, p.y, p.x - 4, p.y, kMagic);
    }
  }
}

// The pose of cell (col, row) of the sheet.
Pose PoseFor(int col, int row) {
  Pose p;
  auto idle = [&](int frame) {
    const float bob = (frame % 4 == 2) ? 2.f : (frame % 2 == 1 ? 1.f : 0.f);
    p.hip.y += bob;
    p.frontHand = {112, 146 + bob};
    p.backHand = {82, 145 + bob};
  };
  auto lunge = [&]() {
    p.hip = {99, 153};
    p.lean = 0.25f;
    p.frontFoot = {118, 189};
    p.backFoot = {76, 189};
  };
  auto crouch = [&]() {
    p.hip = {94, 168};
    p.lean = 0.4f;
    p.frontFoot = {114, 189};
    p.backFoot = {80, 189};
    p.frontHand = {118, 160};
    p.backHand = {90, 162};
    p.frontBlade = -0.2f;
    p.backBlade = 2.8f;
  };
  auto airborne = [&](bool rising) {
    p.hip = {96, rising ? 142.f : 146.f};
    p.lean = rising ? 0.15f : 0.0f;
    p.frontFoot = rising ? Point{110, 176} : Point{102, 188};
    p.backFoot = rising ? Point{86, 180} : Point{86, 186};
    p.frontHand = rising ? Point{112, 126} : Point{116, 136};
    p.backHand = rising ? Point{80, 130} : Point{76, 136};
    p.frontBlade = rising ? -1.2f : -0.3f;
    p.backBlade = rising ? -2.4f : 2.8f;
    p.scarfLift = rising ? -6.f : 8.f;
  };
  // The front blade held at hand, pointing along angle.
  auto swing = [&](Point hand, float angle) {
    p.frontHand = hand;
    p.frontBlade = angle;
  };
  // A slash trail behind the front blade, from the angle where the cut began to where it is now.
  auto trail = [&](float from) {
    p.swoosh = true;
    p.swooshFrom = from;
    p.swooshTo = p.frontBlade;
  };

  switch (row) {
    case 0:
      if (col < 8) {
        idle(col);
      } else {  // backstep: leaning back, feet leaving the ground
        p.hip = {92, 146};
        p.lean = -0.25f;
        p.frontFoot = {112, col == 8 ? 182.f : 186.f};
        p.backFoot = {78, col == 8 ? 186.f : 189.f};
        p.frontHand = {110, 134};
        p.backHand = {96, 138};
        p.frontBlade = -0.9f;
        p.backBlade = -0.5f;
        p.scarfLift = 5;
      }
      break;
    case 1:
      if (col < 6) {  // walking: the feet swap over six steps, the arms swing against them
        const float phase = col * kPi / 3;
        const float s = std::sin(phase), lift = std::max(0.f, std::cos(phase));
        p.lean = 0.12f;
        p.hip.y = 150 + std::fabs(s);
        p.frontFoot = {96 + 14 * s, 189 - 5 * lift};
        p.backFoot = {96 - 14 * s, 189 - 5 * std::max(0.f, -std::cos(phase))};
        p.frontHand = {110 - 6 * s, 146};
        p.backHand = {86 + 6 * s, 145};
      } else if (col < 8) {
        idle(col);
      } else {  // hit: thrown back, arms flung out
        const bool air = col == 9;
        p.hip = {90, air ? 142.f : 152.f};
        p.lean = -0.45f;
        p.frontFoot = air ? Point{104, 178} : Point{106, 189};
        p.backFoot = air ? Point{82, 176} : Point{78, 189};
        p.frontHand = {112, 128};
        p.backHand = {70, 132};
        p.frontBlade = -1.9f;
        p.backBlade = -2.6f;
        p.scarfLift = 6;
      }
      break;
    case 2:
      if (col < 6) {  // combo slash 1: a level cut with the front blade
        static const Point hands[6] = {{86, 130}, {104, 126}, {122, 138}, {120, 150}, {112, 150}, {112, 148}};
        static const float blades[6] = {-2.3f, -1.3f, -0.1f, 0.6f, 0.9f, 0.7f};
        lunge();
        swing(hands[col], blades[col]);
        p.backHand = {78, 140};
        p.backBlade = 3.0f;
        if (col == 2 || col == 3) trail(-1.6f);
      } else {
        airborne(col < 8);
      }
      break;
    case 3:
      if (col == 0) {
        crouch();
      } else if (col < 3) {  // dash: low and long, blades trailing
        p.hip = {100, 155};
        p.lean = 0.55f;
        p.frontFoot = {col == 1 ? 124.f : 120.f, 189};
        p.backFoot = {col == 1 ? 70.f : 74.f, col == 1 ? 186.f : 189.f};
        p.frontHand = {112, 152};
        p.backHand = {84, 150};
        p.frontBlade = 2.7f;
        p.backBlade = 2.9f;
        p.scarfLift = col == 1 ? 3.f : 0.f;
      } else if (col < 7) {
        idle(col);
      } else {  // weapon change: blades spun overhead
        const float spin = (col - 7) * 0.8f;
        p.frontHand = {104, 108};
        p.backHand = {90, 110};
        p.frontBlade = -1.57f + spin;
        p.backBlade = -1.57f - spin;
      }
      break;
    case 4:
      if (col < 4) {  // combo slash 2: a rising cut from low behind
        static const Point hands[4] = {{90, 152}, {110, 142}, {120, 122}, {112, 116}};
        static const float blades[4] = {2.4f, 0.8f, -0.8f, -1.4f};
        lunge();
        swing(hands[col], blades[col]);
        p.backHand = {80, 142};
        p.backBlade = 2.9f;
        if (col == 1 || col == 2) trail(1.6f);
      } else if (col < 8) {  // combo slash 3: both blades cut down together
        static const Point hands[4] = {{100, 110}, {114, 120}, {122, 140}, {116, 150}};
        static const float blades[4] = {-1.8f, -0.6f, 0.3f, 0.9f};
        const int f = col - 4;
        lunge();
        p.lean = 0.3f;
        swing(hands[f], blades[f]);
        p.backHand = hands[f] + Point{-8, 4};
        p.backBlade = blades[f] + 0.35f;
        if (f == 2) {
          trail(-1.5f);
          p.backSwoosh = true;
          p.backSwooshFrom = -1.2f;
          p.backSwooshTo = p.backBlade;
        }
      } else if (col == 8) {  // guard: the blades crossed before the chest
        p.lean = -0.05f;
        p.frontHand = {114, 136};
        p.backHand = {106, 134};
        p.frontBlade = -2.0f;
        p.backBlade = -1.0f;
      } else {  // teleport aim: gathered low, sparks around
        p.hip = {96, 156};
        p.frontFoot = {110, 189};
        p.backFoot = {82, 189};
        p.frontHand = {108, 150};
        p.backHand = {88, 150};
        p.frontBlade = 1.8f;
        p.backBlade = 1.4f;
        p.magic = true;
      }
      break;
    default:
      if (col < 4) {  // crouch slash: a low sweep forward
        static const float blades[4] = {2.7f, 1.3f, 0.15f, 0.35f};
        crouch();
        swing({col < 2 ? 104.f : 122.f, 166}, blades[col]);
        if (col == 2) trail(2.0f);
      } else if (col < 8) {  // air slash: a big arc over the head
        static const Point hands[4] = {{92, 120}, {104, 112}, {120, 126}, {118, 144}};
        static const float blades[4] = {-2.4f, -1.4f, -0.2f, 0.9f};
        const int f = col - 4;
        airborne(true);
        swing(hands[f], blades[f]);
        if (f == 2 || f == 3) trail(-2.2f);
      } else {
        idle(col);
      }
      break;
  }
  return p;
}

}  // namespace hero

}  // namespace

Canvas DrawHeroSheet(bool greatSword) {
  Canvas sheet(kHeroCell * kHeroColumns, kHeroCell * kHeroRows, kHeroKey);
  for (int row = 0; row < kHeroRows; ++row) {
    for (int col = 0; col < kHeroColumns; ++col) {
      // Each cell is drawn on its own, so a long blade never reaches into the next one.
      Canvas cell(kHeroCell, kHeroCell, kHeroKey);
      hero::DrawHero(cell, 0, 0, hero::PoseFor(col, row), greatSword);
      sheet.Paste(cell, col * kHeroCell, row * kHeroCell);
    }
  }
  return sheet;
}

}  // namespace artact
