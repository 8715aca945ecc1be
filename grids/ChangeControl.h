// The cell editor of one edit: what the edited cell stands for, its edit control, the checks
// of the entry, the filing of the accepted value and the values a chosen motor brings along.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/KeyedCollection.h"
#include "grids/GridPort.h"

namespace morvane {

class clsChangeControl {
public:
    bool IsFloat = false;      // the value's type is REAL
    std::string Min;           // "" = no lower limit
    std::string Max;           // "" = no upper limit
    int MaxLengthOfString = 0; // of a CHAR value
    std::string Default;
    std::string EditKind;      // "INT" (INT and REAL), "CHAR", "COMBO"; "" = nothing prepared
    std::string VariableName;  // column-0 text of the row
    int VariableIndex = 0;     // axis, system, component or comment row of the cell
    std::string VariableValue; // the entry after its checks
    std::string ValueBefore;   // the cell's value when the edit began, trimmed, upper case
    bool MainData = false;     // exactly one of the five grid families is true
    bool MainAxData = false;
    bool ExAxData = false;
    bool ExKinData = false;
    bool ServoFileData = false;

    const std::string& VariableComponent() const { return m_sVariableComponent; }
    // Stored with a leading "." so that it can be joined to a key; "" stays "".
    void SetVariableComponent(std::string_view sComponent);

    // Records type, limits and default and fills the edit control: ChangeTb (ChangeTb2 too for
    // a ratio) for "INT", "REAL" and "CHAR", ChangeCombo with the list for "COMBO". Another
    // type prepares nothing and leaves EditKind empty.
    void GetControl(std::string_view sType, std::string_view sCurrentValue,
                    std::optional<std::string_view> nMin = std::nullopt,
                    std::optional<std::string_view> nMax = std::nullopt,
                    std::optional<std::string_view> sDefault = std::nullopt,
                    const KeyedCollection* pComboList = nullptr);
    // True when the edit control of the edit kind shows.
    bool Visible() const;
    // Shows the control over the edited cell and locks the grids, or hides it and unlocks them.
    void SetVisible(bool bVisible);

    // Checks the entry (sNewValueN: the denominator of a ratio), turns it into its data-list
    // form, files it when it changed and writes the cell. False, after its message, when the
    // entry is refused: nothing is then recorded and the editor stays open.
    bool WriteValueToGrid(std::string_view sNewValue, std::string_view sNewValueN = {});

    // Files VariableValue under the key of the edited cell in the machine-data changes, the
    // servo-file changes or the servo computation inputs. A machine-data key missing from the
    // value map raises RunTimeError; VariableValue is upper case after a machine-data edit.
    void AcceptChange();

    bool FindKey(const KeyedCollection& MyCollection, std::string_view skey) const;
    // Decimal text with a point or a comma, read the same in every locale; 0 when the text is
    // no number.
    double StringToDouble(std::string_view Value) const;

    // Records, for axis AxNr, the values the INI prescribes for the chosen motor type; missing
    // values and servo files are reported in one box. False when nothing was recorded.
    bool SetMotorParam(std::string_view sMotorType, int AxNr);

    // The grid the edited cell belongs to, from the grid family and the active grids.
    std::optional<GridId> EditGrid() const;

private:
    std::string m_sVariableComponent;
};

// The change-list key of a machine-data cell: the name itself for kinematic and whole-value
// variables, the jerk component of an external axis, else name + "[" + index + "]".
std::string MadaChangeKey(std::string_view sVariableName, int nVariableIndex);

// A ratio such as {N 1,D 2}, edited as a numerator and a denominator.
bool IsRatioName(std::string_view sName);

// The active grid of a tab: by g_sActiveGenGrid, g_sActiveKinGrid and g_sActiveSFGrid on the
// tabs 0, 3 and 4 (compared in upper case); none for an unknown identifier or tab.
std::optional<GridId> ActiveGridOfTab(int nTab);

} // namespace morvane
