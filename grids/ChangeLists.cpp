#include "grids/ChangeLists.h"

#include "common/TextFunctions.h"
#include "madata/MadaStore.h"

namespace morvane {

KeyedCollection g_colMadaChanges;
KeyedCollection g_colSFChanges;
KeyedCollection g_colSFNeededVals;
KeyedCollection g_colSFValues;

namespace {

// Every change of a key is a removal and an append, so the entry moves to the end.
void Record(KeyedCollection& col, std::string_view sKey, std::string_view sValue) {
    col.RemoveIfPresent(sKey);
    col.Add(std::string(sValue), std::string(sKey));
}

} // namespace

void PutMadaChange(std::string_view sKey, std::string& sValue) {
    sValue = UCase(sValue);
    if (sValue != UCase(g_colMadaValues.Item(sKey))) {
        Record(g_colMadaChanges, sKey, sValue);
    } else {
        g_colMadaChanges.RemoveIfPresent(sKey);
    }
}

std::string GetMadaValue(std::string_view sKey) {
    if (KeyExists(g_colMadaChanges, sKey)) {
        return UCase(g_colMadaChanges.Item(sKey));
    }
    return UCase(g_colMadaValues.Item(sKey));
}

void PutSFChange(std::string_view sKey, std::string_view sValue) {
    if (KeyExists(g_colSFValues, sKey) && g_colSFValues.Item(sKey) == sValue) {
        g_colSFChanges.RemoveIfPresent(sKey);
        return;
    }
    Record(g_colSFChanges, sKey, sValue);
}

std::string GetSFValue(std::string_view sKey, bool& bChanged) {
    bChanged = false;
    if (KeyExists(g_colSFChanges, sKey)) {
        bChanged = true;
        return UCase(g_colSFChanges.Item(sKey));
    }
    if (KeyExists(g_colSFValues, sKey)) {
        return UCase(g_colSFValues.Item(sKey));
    }
    return {};
}

std::string GetSFNeededVal(std::string_view sKey) {
    return KeyExists(g_colSFNeededVals, sKey) ? UCase(g_colSFNeededVals.Item(sKey)) : std::string();
}

} // namespace morvane
