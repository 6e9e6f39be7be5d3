#include "smoke/OpacimeterModels.h"

namespace {

constexpr int MctcModel = 5;
constexpr int FirstGenerationAddress = 81; // 'Q'
constexpr int LaterAddress = 65;           // 'A'

} // namespace

OpacimeterModel OpacimeterModelOf(int index) {
    if (index == MctcModel)
        return {2, 0, {}, false};
    switch (index) {
    case 0: return {1, FirstGenerationAddress, "AM", true};
    case 1: return {1, LaterAddress, "AQ", false};
    case 2: return {1, LaterAddress, "AN", false};
    case 3: return {1, LaterAddress, "AP", false};
    case 4: return {1, LaterAddress, "AB", false};
    default: return {1, LaterAddress, {}, false};
    }
}

QByteArray MakerChannelList() {
    return QByteArray("\x08\x03\x05\x06\x00\x02\x08\x01\x07", 9);
}
