#include "grids/CurrentVariable.h"

namespace morvane {

std::string g_sCurVarName;
std::string g_sCurVarType;
std::string g_sCurVarMin;
std::string g_sCurVarMax;
std::string g_sCurVarDefault;
std::string g_sCurVarFixed;
std::string g_sCurVarUnit;

std::string g_sActiveGenGrid;
std::string g_sActiveKinGrid;
std::string g_sActiveSFGrid;
int g_nCurEtNr = 0;

bool g_bEditActive = false;

} // namespace morvane
