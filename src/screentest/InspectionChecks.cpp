#include "screentest/InspectionChecks.h"

#include "platform/intl/Translate.h"
#include "screentest/InspectionReadings.h"

#include <array>

namespace {

using plat::TranslateLater;

constexpr std::array<CheckPicture, 1> kBlack { { { "dead-pixel", 1 } } };
constexpr std::array<CheckPicture, 1> kWhite { { { "dead-pixel", 0 } } };
// Red, green and blue of the solid fills.
constexpr std::array<CheckPicture, 3> kPrimaries { { { "block-fill", 2 }, { "block-fill", 1 }, { "block-fill", 0 } } };
// Greys of 5, 25 and 50 %, then black.
constexpr std::array<CheckPicture, 4> kGreys { { { "grey", 0 }, { "grey", 2 }, { "grey", 3 }, { "grey", 5 } } };
constexpr std::array<CheckPicture, 1> kDarkSquares { { { "black-level", 0 } } };
constexpr std::array<CheckPicture, 1> kLightSquares { { { "black-level", 1 } } };
constexpr std::array<CheckPicture, 1> kGamma { { { "gamma", 0 } } };
// The checkerboard and the text page.
constexpr std::array<CheckPicture, 2> kSharpness { { { "sharpness", 0 }, { "sharpness", 3 } } };
constexpr std::array<CheckPicture, 1> kGrid { { { "grid", 0 } } };
constexpr std::array<CheckPicture, 1> kFrameSkip { { { "frame-skip", 0 } } };

constexpr std::array<CheckSpec, 10> kChecks { {
    { "lit-pixels", TranslateLater("亮点"),
        TranslateLater("黑色画面上找一直亮着的像素。找到时按 D, 再把鼠标移到它上面按 M 或鼠标中键标记。"),
        CheckKind::Answer, FaultType::Lit, kBlack },
    { "dark-pixels", TranslateLater("暗点"),
        TranslateLater("白色画面上找一直不亮的像素。找到时按 D, 再把鼠标移到它上面按 M 或鼠标中键标记。"),
        CheckKind::Answer, FaultType::Dark, kWhite },
    { "sub-pixels", TranslateLater("子像素"),
        TranslateLater("红、绿、蓝三个画面上找颜色不对的像素 (缺一种颜色或多一种颜色)。找到时按 D 并标记。"),
        CheckKind::Answer, FaultType::SubPixel, kPrimaries },
    { "uniformity", TranslateLater("均匀度与漏光"),
        TranslateLater("5 %、25 %、50 % 灰和黑色画面上看亮度是否均匀, 边角是否漏光。不均匀时按 D, 可以标记位置。"),
        CheckKind::Answer, FaultType::None, kGreys },
    { "black-level", TranslateLater("暗部细节"),
        TranslateLater("用 ← → 选出还能和黑色背景区分开的最暗的方块, 按 Enter 确定。"), CheckKind::PickDarkest,
        FaultType::None, kDarkSquares },
    { "white-saturation", TranslateLater("亮部细节"),
        TranslateLater("用 ← → 选出还能和白色背景区分开的最亮的方块, 按 Enter 确定。"), CheckKind::PickLightest,
        FaultType::None, kLightSquares },
    { "gamma", TranslateLater("伽马"),
        TranslateLater("退后几步, 用 ← → 选出和周围条纹融为一体的方块, 按 Enter 确定。"), CheckKind::PickGamma,
        FaultType::None, kGamma },
    { "sharpness", TranslateLater("清晰度"),
        TranslateLater("棋盘格和文字应清楚、没有重影或彩边。正常按空格, 不正常按 D。"), CheckKind::Answer,
        FaultType::None, kSharpness },
    { "geometry", TranslateLater("几何"),
        TranslateLater("网格应横平竖直, 圆应是正圆, 四边都完整可见。正常按空格, 不正常按 D。"), CheckKind::Answer,
        FaultType::None, kGrid },
    { "motion", TranslateLater("跳帧检测"),
        TranslateLater("按空格后, 程序用十秒测量刷新率和保持、丢弃的帧, 不需要回答, 也不要动鼠标。"), CheckKind::Motion,
        FaultType::None, kFrameSkip },
} };

}

std::span<const CheckSpec> InspectionChecks() { return kChecks; }

int PickSquares(CheckKind kind)
{
    switch (kind) {
    case CheckKind::PickDarkest:
    case CheckKind::PickLightest:
        return static_cast<int>(kBlackLevelSquares);
    case CheckKind::PickGamma:
        return static_cast<int>(kGammaSquareLevels.size());
    case CheckKind::Answer:
    case CheckKind::Motion:
        break;
    }
    return 0;
}
