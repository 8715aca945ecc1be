// The structured values of the data list: reading one component of a kinematic assignment,
// transformation axes, frame or bit string, and rebuilding the whole value after one changed.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Digit n (1 = rightmost) of a bit string such as 'B0101', or of a plain number; 0 when the
// value is empty or has fewer than n digits.
int Get_Bin_Bit(std::string_view sValue, int n);

// Entry n (1..6) of {ET1 #..,...,ET6 #..}, upper case, without blanks; "" when missing.
std::string Get_Ex_Kin(std::string_view sValue, int n);
// Entry n (1..3) of {TR_A1 #..,TR_A2 #..,TR_A3 #..}.
std::string Get_ETx_Ax(std::string_view sValue, int n);
// Component n (1..6 = X, Y, Z, A, B, C) of a frame; "" for any other n.
std::string Get_ETx_Frame(std::string_view sValue, int n);

// The builders start from the current value of their variable and replace one component by
// sNew (upper-cased, trimmed). "" when the variable has no value or the component is out of
// range.
std::string Build_Ex_Kin(std::string_view sNew, int n);
// The "$ET<k>_AX" of the selected kinematic system k (g_nCurEtNr); nCol 2..4 is TR_A1..TR_A3.
std::string Build_ETx_Ax(std::string_view sNew, int nCol);
// The frame of the current variable (g_sCurVarName).
std::string Build_ETx_Frame(std::string_view sNew, int n);
// $BRK_MODE with digit nBit (0 = rightmost) replaced; always four digits.
std::string Build_Brk_Mode(std::string_view sNew, int nBit);

// The bit string of the per-axis elements [12]..[7] of the array (an index in the name is
// ignored): four digits while axes 11 and 12 are 0, else eight. RunTimeError when an element
// has no value.
std::string Build_Bin_Value(std::string_view sArrayName);

} // namespace morvane
