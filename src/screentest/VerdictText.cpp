#include "screentest/VerdictText.h"

#include "platform/intl/Translate.h"

std::string VerdictSentence(std::optional<PixelFaultClass> faultClass)
{
    if (!faultClass)
        return plat::Translate("像素检查未全部完成，无法判定像素缺陷等级。");
    switch (*faultClass) {
    case PixelFaultClass::I:
        return plat::Translate("像素缺陷等级 I：没有发现坏点，好于多数厂商承诺的 II 级。");
    case PixelFaultClass::II:
        return plat::Translate("像素缺陷等级 II：这正是多数厂商承诺的等级。");
    case PixelFaultClass::III:
        return plat::Translate("像素缺陷等级 III：差于多数厂商承诺的 II 级。");
    case PixelFaultClass::IV:
        return plat::Translate("像素缺陷等级 IV：远差于多数厂商承诺的 II 级。");
    case PixelFaultClass::WorseThanIV:
        break;
    }
    return plat::Translate("像素缺陷等级低于 IV：差于任何等级，而多数厂商承诺 II 级。");
}
