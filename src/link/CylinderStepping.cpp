#include "link/CylinderStepping.h"

namespace {

constexpr int MostCylinders = 12;
constexpr int FewestCylinders = 1;

bool isSkipped(int count) {
    return count == 7 || count == 9 || count == 11;
}

} // namespace

int NextCylinderCount(int count) {
    if (count >= MostCylinders)
        return count;
    ++count;
    return isSkipped(count) ? count + 1 : count;
}

int PreviousCylinderCount(int count) {
    if (count <= FewestCylinders)
        return count;
    --count;
    return isSkipped(count) ? count - 1 : count;
}
