#include "config/design/design_fields.h"

#include "platform/text/language.h"

namespace config {
namespace {

using flight::AircraftSpec;

#define VALUE(member) [](AircraftSpec& s) -> double& { return s.member; }
#define SECTION(member) [](AircraftSpec& s) -> std::array<double, 4>& { return s.member; }

constexpr const char* kNoUnit = "";

const FileLine kLines[kFileLineCount] = {
    {1, LineKind::Ignored, Group::None, N_("機体データ"), kNoUnit},
    {2, LineKind::Heading, Group::None, N_("[初期条件]"), kNoUnit},
    {3, LineKind::Height, Group::Start, N_("発進高度"), "m", VALUE(StartZ)},
    {4, LineKind::Value, Group::Start, N_("初速"), "m/s", VALUE(StartSpeed)},
    {5, LineKind::Value, Group::Start, N_("初期ピッチ角"), "deg", VALUE(StartPitch)},
    {6, LineKind::Value, Group::Start, N_("風速 (向かい風)"), "m/s", VALUE(WindSpeed)},
    {7, LineKind::Heading, Group::None, N_("[質量・重心]"), kNoUnit},
    {8, LineKind::Value, Group::Mass, N_("全備質量"), "kg", VALUE(Mass)},
    {9, LineKind::Value, Group::Mass, N_("重心位置"), "m", VALUE(CgPosition)},
    {10, LineKind::Value, Group::Mass, N_("尾翼空力中心位置"), "m", VALUE(TailPosition)},
    {11, LineKind::Value, Group::Mass, N_("ピッチ慣性半径"), "m", VALUE(GyrationRadius)},
    {12, LineKind::Value, Group::Mass, N_("胴体抗力係数"), kNoUnit, VALUE(BodyDragCoef)},
    {13, LineKind::Heading, Group::None, N_("[主翼]"), kNoUnit},
    {14, LineKind::Value, Group::Wing, N_("翼幅"), "m", VALUE(WingSpan)},
    {15, LineKind::Value, Group::Wing, N_("平均翼弦"), "m", VALUE(WingChord)},
    {16, LineKind::Value, Group::Wing, N_("取付角"), "deg", VALUE(WingIncidence)},
    {17, LineKind::Value, Group::Wing, N_("ピッチングモーメント係数"), kNoUnit, VALUE(WingCm0)},
    // TRANSLATORS: units ("翼弦比", "1=使用", "1=有効", "端/根") fill a column 80 pixels wide
    {18, LineKind::Value, Group::Wing, N_("空力中心位置"), N_("翼弦比"), VALUE(WingAcRatio)},
    {19, LineKind::Heading, Group::None, N_("[主翼翼型]"), kNoUnit},
    {20, LineKind::Value, Group::WingAirfoil, N_("揚力傾斜"), "1/rad", VALUE(WingAirfoil.LiftSlope)},
    {21, LineKind::Value, Group::WingAirfoil, N_("零揚力角"), "deg", VALUE(WingAirfoil.ZeroLiftAngle)},
    {22, LineKind::Value, Group::WingAirfoil, N_("揚力係数上限"), kNoUnit, VALUE(WingAirfoil.ClUpper)},
    {23, LineKind::Value, Group::WingAirfoil, N_("上限超過時揚力係数"), kNoUnit, VALUE(WingAirfoil.ClAboveUpper)},
    {24, LineKind::Value, Group::WingAirfoil, N_("揚力係数下限"), kNoUnit, VALUE(WingAirfoil.ClLower)},
    {25, LineKind::Value, Group::WingAirfoil, N_("下限未満時揚力係数"), kNoUnit, VALUE(WingAirfoil.ClBelowLower)},
    {26, LineKind::Value, Group::WingAirfoil, N_("形状抗力係数"), kNoUnit, VALUE(WingAirfoil.ProfileDrag)},
    {27, LineKind::Heading, Group::None, N_("[尾翼]"), kNoUnit},
    {28, LineKind::Value, Group::Tail, N_("尾翼幅"), "m", VALUE(TailSpan)},
    {29, LineKind::Value, Group::Tail, N_("尾翼弦長"), "m", VALUE(TailChord)},
    {30, LineKind::Value, Group::Tail, N_("尾翼取付角"), "deg", VALUE(TailIncidence)},
    {31, LineKind::Value, Group::TailAirfoil, N_("尾翼揚力傾斜"), "1/rad", VALUE(TailAirfoil.LiftSlope)},
    {32, LineKind::Value, Group::TailAirfoil, N_("尾翼零揚力角"), "deg", VALUE(TailAirfoil.ZeroLiftAngle)},
    {33, LineKind::Value, Group::TailAirfoil, N_("尾翼揚力係数上限"), kNoUnit, VALUE(TailAirfoil.ClUpper)},
    {34, LineKind::Value, Group::TailAirfoil, N_("尾翼上限超過時揚力係数"), kNoUnit, VALUE(TailAirfoil.ClAboveUpper)},
    {35, LineKind::Value, Group::TailAirfoil, N_("尾翼揚力係数下限"), kNoUnit, VALUE(TailAirfoil.ClLower)},
    {36, LineKind::Value, Group::TailAirfoil, N_("尾翼下限未満時揚力係数"), kNoUnit, VALUE(TailAirfoil.ClBelowLower)},
    {37, LineKind::Value, Group::TailAirfoil, N_("尾翼形状抗力係数"), kNoUnit, VALUE(TailAirfoil.ProfileDrag)},
    {38, LineKind::Heading, Group::None, N_("[翼分割モデル]"), kNoUnit},
    {39, LineKind::Integer, Group::Strips, N_("翼分割モデル"), N_("1=使用")},
    {40, LineKind::Value, Group::Strips, N_("主翼質量"), "kg", VALUE(WingMass)},
    {41, LineKind::Value, Group::Strips, N_("中央部半幅"), "m", VALUE(CenterHalfWidth)},
    {42, LineKind::EnabledList, Group::Strips, N_("区間有効"), N_("1=有効")},
    {43, LineKind::SectionList, Group::Strips, N_("区間長"), "m", nullptr, SECTION(SectionSpan)},
    {44, LineKind::SectionList, Group::Strips, N_("翼根弦長"), "m", nullptr, SECTION(SectionRootChord)},
    {45, LineKind::SectionList, Group::Strips, N_("テーパ比"), N_("端/根"), nullptr, SECTION(SectionTaper)},
    {46, LineKind::SectionList, Group::Strips, N_("剛性1"), "kgf/cm^2", nullptr, SECTION(SectionStiffness1)},
    {47, LineKind::SectionList, Group::Strips, N_("剛性2"), "cm^4", nullptr, SECTION(SectionStiffness2)},
    {48, LineKind::SectionList, Group::Strips, N_("上反角"), "deg", nullptr, SECTION(SectionDihedral)},
    {49, LineKind::SectionList, Group::Strips, N_("後退角"), "deg", nullptr, SECTION(SectionSweep)},
};

#undef VALUE
#undef SECTION

}  // namespace

std::span<const FileLine, kFileLineCount> FileLines() { return std::span<const FileLine, kFileLineCount>(kLines); }

int ListValueCount(LineKind kind) {
  switch (kind) {
    case LineKind::EnabledList: return kSectionCount - 1;
    case LineKind::SectionList: return kSectionCount;
    default: return 0;
  }
}

const char* GroupTitle(Group group) {
  switch (group) {
    case Group::Start: return N_("初期条件と風");
    case Group::Mass: return N_("質量・重心");
    case Group::Wing: return N_("主翼");
    case Group::WingAirfoil: return N_("主翼翼型");
    case Group::Tail: return N_("尾翼");
    case Group::TailAirfoil: return N_("尾翼翼型");
    case Group::Strips: return N_("翼分割モデルと区間");
    case Group::None: break;
  }
  return "";
}

}  // namespace config
