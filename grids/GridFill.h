// Lays out and fills the nine grids of the five tabs from the current values, and loads the
// definitions of every variable a grid row can show; widget-free, so it is tested without Qt.
#pragma once

#include <array>
#include <string>

#include "grids/GridModel.h"

namespace morvane {

extern int g_nNumAx;          // main axes: the current $NUM_AX as an integer
extern int g_nExAxNum;        // external axes: the current $EX_AX_NUM as an integer
extern bool g_bVarDefsLoaded; // LoadAllVariableDefinitions has run

// The labels around the general-data grids.
struct GeneralTabTexts {
    std::string sMainAxCaption;
    std::string sExAxCaption;
    std::string sInfoCaption;
    std::array<std::string, 3> asDesc;
    std::array<std::string, 3> asValue;
};

// A label placed above a grid of the servo-file tab (twips, relative to the tab area).
struct GridCaption {
    std::string sText;
    int nLeft = 0;
    int nTop = 0;
};

// The number held by the current value of an axis-count variable; 0 when it is missing or
// not a number, and never more than the six elements the INI lists expand to.
int CurrentAxisCount(const char* sKey);

void BuildGeneralGrids(GridModel& genAx, GridModel& genExAx, GeneralTabTexts& texts);
void BuildMainAxesGrid(GridModel& grid);
void BuildExtAxesGrid(GridModel& grid);
bool LoadAllVariableDefinitions();

void BuildExtKinGrid(GridModel& grid);
// For the selected system g_nCurEtNr (system 1 while none is selected).
void BuildKinSystemGrids(GridModel& etx, GridModel& frm);

void BuildServoInputGrid(GridModel& grid, GridCaption& parUser);
void BuildServoCalcGridNew(GridModel& grid, GridCaption& parCalc);
void BuildServoCalcGridOpen(GridModel& grid, GridCaption& parCalc);

// On entering an axis grid with at least three axes: the columns share the room and the
// current one gets the width of a single axis column.
void ApplyAxisColumnWidths(GridModel& grid, int nCurCol);

} // namespace morvane
