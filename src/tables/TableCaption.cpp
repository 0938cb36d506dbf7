// The captions of the seventeen tables, in the order of TableId.
#include "tables/TableCaption.h"

#include <array>

const char* tableCaption(TableId id) {
    static constexpr std::array<const char*, kTableCount> kCaptions = {
        "控制参数",         "基本参数",
        "滑面线段数",       "滑面线",
        "水面线段数与起点", "水面线",
        "坡面线段数与起点", "坡面线",
        "坡面附加荷载",     "桩的布置与计算参数",
        "嵌入段土层",       "桩排承载力发挥系数",
        "可选桩数",         "桩身参数",
        "反压码参数",       "刷方参数",
        "刷方线",
    };
    return kCaptions[static_cast<size_t>(id)];
}
