#include "app/ConfExtAx.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

#include "app/Pendant.h"
#include "app/QtText.h"
#include "app/SingleInstance.h"
#include "app/frmSplash.h"
#include "common/FileIo.h"
#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "controller/ControllerConnection.h"
#include "grids/CellEditor.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/EditKeys.h"
#include "grids/GridFill.h"
#include "grids/VariableHelp.h"
#include "grids/qt/ParamGrid.h"
#include "log/CLSLog.h"
#include "madata/ControlType.h"
#include "madata/MadaReader.h"
#include "madata/MadaStore.h"
#include "save/Archive.h"
#include "save/MadaSave.h"
#include "servo/FileChooser.h"
#include "servo/ServoCalculation.h"
#include "servo/ServoFileModel.h"
#include "servo/ServoFileReader.h"
#include "servo/ServoFileSave.h"

namespace morvane {

namespace {

const QColor kLightYellow(255, 255, 128);
const QColor kPaleYellow(255, 255, 192);

QPushButton* SoftKey(QWidget* pParent, const QString& sName, QRect rect) {
    auto* pButton = new QPushButton(pParent);
    pButton->setObjectName(sName);
    pButton->setGeometry(rect);
    // The soft keys stand for pendant keys: pressing one leaves the focus in the grid.
    pButton->setFocusPolicy(Qt::NoFocus);
    return pButton;
}

QLabel* PanelBox(QWidget* pParent, const char* sName, QRect rect, Qt::Alignment align) {
    auto* pLabel = new QLabel(pParent);
    pLabel->setObjectName(sName);
    pLabel->setGeometry(rect);
    pLabel->setFrameStyle(QFrame::Box | QFrame::Plain);
    pLabel->setAlignment(align);
    pLabel->setAutoFillBackground(true);
    QPalette palette = pLabel->palette();
    palette.setColor(QPalette::Window, kPaleYellow);
    pLabel->setPalette(palette);
    return pLabel;
}

std::string MenuCaption(int nShortcut, std::string_view sKey) {
    return "&" + std::to_string(nShortcut) + " " + T(sKey);
}

// A failing step of a tab activation is skipped; the activation goes on with the next one.
template <typename Step> void Skipping(Step step) {
    try {
        step();
    } catch (const RunTimeError&) {
    }
}

} // namespace

ConfExtAx::ConfExtAx(StartOptions options) : m_options(std::move(options)) {
    setObjectName("ConfExtAx");
    setWindowTitle("Morvane");
    QFont font = QApplication::font();
    font.setPointSizeF(8.25);
    font.setBold(true);
    setFont(font);
    CreateControls();
    CreateMenus();
    qApp->installEventFilter(this);
    SetGridPort(this);
}

ConfExtAx::~ConfExtAx() {
    SetGridPort(nullptr);
    qApp->removeEventFilter(this);
    // The grids lose the focus while the window is torn down; no handler may run then.
    for (ParamGrid* pGrid : findChildren<ParamGrid*>()) {
        disconnect(pGrid, nullptr, this, nullptr);
    }
}

void ConfExtAx::CreateControls() {
    for (int i = 0; i < 8; ++i) {
        BtnMenu[i] = SoftKey(this, QString("BtnMenu_%1").arg(i),
                             TwipsToPixels(i * 1200, 0, i == 0 ? 1215 : 1200, 450));
        connect(BtnMenu[i], &QPushButton::clicked, this, [this, i] { BtnMenu_Click(i); });
    }
    static constexpr std::array<int, 7> kCmdLefts = {675, 1875, 3075, 4275, 5473, 6675, 7875};
    for (int i = 0; i < 7; ++i) {
        BtnCmd[i] = SoftKey(this, QString("BtnCmd_%1").arg(i),
                            TwipsToPixels(kCmdLefts[i], 6720, i == 0 ? 1200 : 1170, 450));
        connect(BtnCmd[i], &QPushButton::clicked, this, [this, i] { BtnCmd_Click(i); });
    }
    for (int i : {1, 2, 4}) {
        BtnCmd[i]->setEnabled(false);
    }
    static constexpr std::array<int, 6> kStatTops = {600, 1746, 2892, 4038, 5184, 6330};
    static constexpr std::array<const char*, 6> kStatTexts = {"\u25B6", "\u25C0", "",
                                                              "",       "+TAB",   "-TAB"};
    for (int i = 0; i < 6; ++i) {
        StatKeyLSt[i] = SoftKey(this, QString("StatKeyLSt_%1").arg(i),
                                TwipsToPixels(0, kStatTops[i], 600, 795));
        StatKeyLSt[i]->setText(QString::fromUtf8(kStatTexts[i]));
        connect(StatKeyLSt[i], &QPushButton::clicked, this, [this, i] { StatKeyLSt_Click(i); });
    }
    StatKeyLSt[2]->setEnabled(false);
    StatKeyLSt[3]->setEnabled(false);

    LsrTabArea = new QFrame(this);
    LsrTabArea->setObjectName("LsrTab");
    LsrTabArea->setGeometry(TwipsToPixels(600, 480, 9015, 4200));
    LsrTabArea->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    LsrTab = new QTabBar(LsrTabArea);
    LsrTab->setObjectName("LsrTabBar");
    LsrTab->setFocusPolicy(Qt::NoFocus);
    LsrTab->setExpanding(true);
    LsrTab->setDrawBase(false);
    for (int i = 0; i < 5; ++i) {
        LsrTab->addTab(QString());
    }
    LsrTab->setGeometry(0, 0, LsrTabArea->width(), 24);
    connect(LsrTab, &QTabBar::currentChanged, this, &ConfExtAx::LsrTab_Click);

    Frm_Info = new QGroupBox(LsrTabArea);
    Frm_Info->setObjectName("Frm_Info");
    Frm_Info->setGeometry(TwipsToPixels(240, 480, 8535, 1215));
    for (int i = 0; i < 3; ++i) {
        Lbl_Desc[i] = new QLabel(Frm_Info);
        Lbl_Desc[i]->setGeometry(12, 18 + i * 19, 170, 17);
        Lbl_Vel[i] = new QLabel(Frm_Info);
        Lbl_Vel[i]->setObjectName(QString("Lbl_Vel_%1").arg(i));
        Lbl_Vel[i]->setGeometry(190, 18 + i * 19, 370, 17);
    }
    Lbl_MainAxData = new QLabel(LsrTabArea);
    Lbl_MainAxData->move(TwipsToPixels(240), TwipsToPixels(1920));
    Lbl_ExAxData = new QLabel(LsrTabArea);
    Lbl_ExAxData->move(TwipsToPixels(4560), TwipsToPixels(1920));
    Lbl_ParUser = new QLabel(LsrTabArea);
    Lbl_ParUser->setObjectName("Lbl_ParUser");
    Lbl_ParCalc = new QLabel(LsrTabArea);
    Lbl_ParCalc->setObjectName("Lbl_ParCalc");

    GenAxData = CreateGrid("GenAxData", GridKind::GenAx);
    GenExAxData = CreateGrid("GenExAxData", GridKind::GenExAx);
    MainAxDataGrid = CreateGrid("MainAxDataGrid", GridKind::MainAx);
    ExAxDataGrid = CreateGrid("ExAxDataGrid", GridKind::ExAx);
    ExKinDataGrid = CreateGrid("ExKinDataGrid", GridKind::ExKin);
    ExEtxDataGrid = CreateGrid("ExEtxDataGrid", GridKind::ExEtx);
    ExFrmDataGrid = CreateGrid("ExFrmDataGrid", GridKind::ExFrm);
    SF_CommDataGrid = CreateGrid("SF_CommDataGrid", GridKind::SFComm);
    SF_CalcDataGrid = CreateGrid("SF_CalcDataGrid", GridKind::SFCalc);

    CreateEditControls();
    CreateHelpPanel();

    StatusBar = new QFrame(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setGeometry(TwipsToPixels(600, 6360, 8955, 285));
    StatusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setGeometry(TwipsToPixels(2160, 6410, 6255, 256));
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 1000);
    ProgressBar->hide();
}

void ConfExtAx::CreateHelpPanel() {
    Frame3 = new QFrame(this);
    Frame3->setObjectName("Frame3");
    Frame3->setGeometry(TwipsToPixels(600, 4680, 9015, 1650));
    Lbl_HlpsDesc = new QLabel(Frame3);
    Lbl_HlpsDesc->setObjectName("Lbl_HlpsDesc");
    Lbl_HlpsDesc->move(TwipsToPixels(120), 0);
    Lbl_HlpUnit = new QLabel(Frame3);
    Lbl_HlpUnit->setObjectName("Lbl_HlpUnit");
    Lbl_HlpType = new QLabel(Frame3);
    Lbl_HlpType->setObjectName("Lbl_HlpType");
    Lbl_HlpDesc = PanelBox(Frame3, "Lbl_HlpDesc", TwipsToPixels(120, 240, 7335, 1335),
                           Qt::AlignLeft | Qt::AlignTop);
    Lbl_HlpDesc->setWordWrap(true);
    Lbl_HlpDesc->setMargin(2);
    QFont plain = font();
    plain.setBold(false);
    Lbl_HlpDesc->setFont(plain);
    static constexpr std::array<const char*, 4> kCaptions = {"Def.:", "Fix:", "Min:", "Max:"};
    std::array<QLabel**, 4> boxes = {&Lbl_HlpDef, &Lbl_HlpFix, &Lbl_HlpMin, &Lbl_HlpMax};
    static constexpr std::array<const char*, 4> kBoxNames = {"Lbl_HlpDef", "Lbl_HlpFix",
                                                             "Lbl_HlpMin", "Lbl_HlpMax"};
    for (int i = 0; i < 4; ++i) {
        const int nTop = 240 + i * 360;
        auto* pCaption = new QLabel(kCaptions[i], Frame3);
        pCaption->setGeometry(TwipsToPixels(7440, nTop, 560, 255));
        pCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *boxes[i] =
            PanelBox(Frame3, kBoxNames[i], TwipsToPixels(8040, nTop, 885, 255), Qt::AlignCenter);
        (*boxes[i])->setFont(plain);
    }
}

void ConfExtAx::CreateMenus() {
    mnuFile = new QMenu(this);
    mnuFile->setObjectName("mnuFile");
    for (int i = 0; i < 4; ++i) {
        mnusubfile[i] = i == 2 ? mnuFile->addSeparator() : mnuFile->addAction(QString());
        connect(mnusubfile[i], &QAction::triggered, this, [this, i] { mnusubfile_Click(i); });
    }
    mnuwindow = new QMenu(this);
    mnuwindow->setObjectName("mnuwindow");
    for (int i = 0; i < 5; ++i) {
        mnusubwindow[i] = mnuwindow->addAction(QString());
        mnusubwindow[i]->setCheckable(true);
        connect(mnusubwindow[i], &QAction::triggered, this, [this, i] { mnusubwindow_Click(i); });
    }
    mnuServofile = new QMenu(this);
    mnuServofile->setObjectName("mnuServofile");
    for (int i = 0; i < 5; ++i) {
        mnuSubServofile[i] =
            i == 3 ? mnuServofile->addSeparator() : mnuServofile->addAction(QString());
        connect(mnuSubServofile[i], &QAction::triggered, this,
                [this, i] { mnuSubServofile_Click(i); });
    }
    mnuInfo = new QMenu(this);
    mnuInfo->setObjectName("mnuInfo");
    mnuSubInfo[0] = mnuInfo->addAction(QString());
    connect(mnuSubInfo[0], &QAction::triggered, this, [this] { mnuSubInfo_Click(0); });
}

ParamGrid* ConfExtAx::CreateGrid(const char* sName, GridKind kind) {
    auto* pGrid = new ParamGrid(sName, LsrTabArea);
    pGrid->hide();
    connect(pGrid, &ParamGrid::EnterCell, this,
            [this, kind, pGrid] { Grid_EnterOrFocus(kind, pGrid, false); });
    connect(pGrid, &ParamGrid::GotFocus, this,
            [this, kind, pGrid] { Grid_EnterOrFocus(kind, pGrid, true); });
    connect(pGrid, &ParamGrid::LeaveCell, this, [this, pGrid] { Grid_LeaveCell(pGrid); });
    connect(pGrid, &ParamGrid::LostFocus, this,
            [this, kind, pGrid] { Grid_LostFocus(kind, pGrid); });
    connect(pGrid, &ParamGrid::KeyPressed, this,
            [this, kind, pGrid](int nKey) { Grid_KeyPress(kind, pGrid, nKey); });
    return pGrid;
}

void ConfExtAx::CreateEditControls() {
    const QString sYellow = "background: rgb(255, 255, 128);";
    ChangeTb = new QLineEdit(LsrTabArea);
    ChangeTb->setObjectName("ChangeTb");
    ChangeTb->setGeometry(TwipsToPixels(7320, 1080, 1695, 285));
    ChangeTb2 = new QLineEdit(LsrTabArea);
    ChangeTb2->setObjectName("ChangeTb2");
    ChangeTb2->setGeometry(TwipsToPixels(7320, 1440, 1695, 285));
    for (QLineEdit* pBox : {ChangeTb, ChangeTb2}) {
        pBox->setAlignment(Qt::AlignCenter);
        pBox->setStyleSheet("QLineEdit { " + sYellow + " }");
        pBox->hide();
    }
    ChangeCombo = new QComboBox(LsrTabArea);
    ChangeCombo->setObjectName("ChangeCombo");
    ChangeCombo->setGeometry(TwipsToPixels(7200, 720, 1935, 315));
    ChangeCombo->setEditable(false);
    ChangeCombo->setStyleSheet("QComboBox { " + sYellow + " }");
    ChangeCombo->hide();
}

ParamGrid* ConfExtAx::GridOf(GridId grid) const {
    switch (grid) {
    case GridId::GenAxData:
        return GenAxData;
    case GridId::GenExAxData:
        return GenExAxData;
    case GridId::MainAxDataGrid:
        return MainAxDataGrid;
    case GridId::ExAxDataGrid:
        return ExAxDataGrid;
    case GridId::ExKinDataGrid:
        return ExKinDataGrid;
    case GridId::ExEtxDataGrid:
        return ExEtxDataGrid;
    case GridId::ExFrmDataGrid:
        return ExFrmDataGrid;
    case GridId::SF_CommDataGrid:
        return SF_CommDataGrid;
    case GridId::SF_CalcDataGrid:
        return SF_CalcDataGrid;
    }
    return GenAxData;
}

QWidget* ConfExtAx::EditWidget(EditControl control) const {
    switch (control) {
    case EditControl::ChangeTb:
        return ChangeTb;
    case EditControl::ChangeTb2:
        return ChangeTb2;
    case EditControl::ChangeCombo:
        return ChangeCombo;
    }
    return ChangeTb;
}

int ConfExtAx::CurrentRow(GridId grid) const {
    return GridOf(grid)->Row();
}

int ConfExtAx::CurrentCol(GridId grid) const {
    return GridOf(grid)->Col();
}

std::string ConfExtAx::CellText(GridId grid, int nRow, int nCol) const {
    return GridOf(grid)->Model().Text(nRow, nCol);
}

void ConfExtAx::SetCellText(GridId grid, int nRow, int nCol, std::string_view sText) {
    ParamGrid* pGrid = GridOf(grid);
    pGrid->Model().SetText(nRow, nCol, sText);
    pGrid->viewport()->update();
}

TwipsRect ConfExtAx::CellRect(GridId grid, int nRow, int nCol) const {
    const ParamGrid* pGrid = GridOf(grid);
    QRect cell = pGrid->CellRect(nRow, nCol);
    if (!cell.isValid()) {
        cell = QRect(0, 0, TwipsToPixels(pGrid->Model().ColWidth(nCol)), ParamGrid::kRowHeight);
    }
    const int k = ParamGrid::kTwipsPerPixel;
    return {(pGrid->x() + cell.x()) * k, (pGrid->y() + cell.y()) * k, cell.width() * k,
            cell.height() * k};
}

void ConfExtAx::EnableGrids(bool bEnable, bool bMainAxisGridsToo) {
    for (ParamGrid* pGrid : {GenAxData, GenExAxData, MainAxDataGrid, ExAxDataGrid, ExKinDataGrid,
                             ExEtxDataGrid, ExFrmDataGrid, SF_CommDataGrid, SF_CalcDataGrid}) {
        if (bMainAxisGridsToo || (pGrid != GenAxData && pGrid != MainAxDataGrid)) {
            if (!bEnable && pGrid->hasFocus()) {
                // A disabled grid just loses the focus: handed on to the next grid, the focus
                // would make that grid the active one and the edit would write into it.
                pGrid->clearFocus();
            }
            pGrid->setEnabled(bEnable);
        }
    }
}

void ConfExtAx::SetEditText(EditControl control, std::string_view sText) {
    if (auto* pBox = qobject_cast<QLineEdit*>(EditWidget(control))) {
        pBox->setText(ToQt(sText));
    }
}

void ConfExtAx::SetEditMaxLength(int nMaxLength) {
    ChangeTb->setMaxLength(nMaxLength > 0 ? nMaxLength : 32767);
}

void ConfExtAx::SetComboList(const std::vector<std::string>& items, int nSelected) {
    ChangeCombo->clear();
    for (const std::string& sItem : items) {
        ChangeCombo->addItem(ToQt(sItem));
    }
    ChangeCombo->setCurrentIndex(nSelected);
}

void ConfExtAx::ShowEditControl(EditControl control, bool bVisible) {
    QWidget* pControl = EditWidget(control);
    if (!bVisible && pControl->hasFocus()) {
        // Else the focus would jump to the next grid and make it the active one; the editor
        // gives it back to the edited grid itself.
        pControl->clearFocus();
    }
    pControl->setVisible(bVisible);
    if (bVisible) {
        pControl->raise();
    }
}

bool ConfExtAx::IsEditControlVisible(EditControl control) const {
    return !EditWidget(control)->isHidden();
}

void ConfExtAx::PlaceEditControl(EditControl control, const TwipsRect& place) {
    QWidget* pControl = EditWidget(control);
    const int nHeight = place.nHeight < 0 ? pControl->height() : TwipsToPixels(place.nHeight);
    pControl->setGeometry(TwipsToPixels(place.nLeft), TwipsToPixels(place.nTop),
                          TwipsToPixels(place.nWidth), nHeight);
}

void ConfExtAx::FocusEditControl(EditControl control) {
    QWidget* pControl = EditWidget(control);
    if (pControl->isHidden()) {
        return;
    }
    pControl->setFocus();
    if (auto* pBox = qobject_cast<QLineEdit*>(pControl)) {
        pBox->selectAll();
    }
}

bool ConfExtAx::EditControlKey(QObject* pControl, QKeyEvent* pEvent) {
    const int nKey = pEvent->key();
    const QString sText = pEvent->text();
    int nAscii = sText.isEmpty() ? 0 : sText.at(0).unicode();
    if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
        nAscii = kKeyEnter;
    } else if (nKey == Qt::Key_Escape) {
        nAscii = kKeyEscape;
    } else if (nKey == Qt::Key_Backspace) {
        nAscii = 8;
    }
    if (pControl == ChangeCombo) {
        if (nAscii != 0) {
            FinishCellEdit(nAscii, FromQt(ChangeCombo->currentText()), "", "ChangeCombo");
            SetFocusToActiveGrid();
        }
        // Other keys keep their meaning in the list.
        return nAscii == kKeyEnter || nAscii == kKeyEscape;
    }
    const bool bFirst = pControl == ChangeTb;
    if (nAscii == kKeyEnter || nAscii == kKeyEscape) {
        FinishCellEdit(nAscii, FromQt(ChangeTb->text()), FromQt(ChangeTb2->text()),
                       bFirst ? "ChangeTb" : "ChangeTb2");
        SetFocusToActiveGrid();
        return true;
    }
    if (bFirst && nKey == Qt::Key_Down) {
        FocusEditControl(EditControl::ChangeTb2);
        return true;
    }
    if (!bFirst && nKey == Qt::Key_Up) {
        FocusEditControl(EditControl::ChangeTb);
        return true;
    }
    return nAscii != 0 && !EditBoxAcceptsKey(nAscii);
}

// ---- start-up ------------------------------------------------------------------------------

void ConfExtAx::Form_Load() {
    const std::string sLockFile =
        m_options.sLockFile.empty() ? DefaultLockFile() : m_options.sLockFile;
    if (!AcquireSingleInstance(sLockFile)) {
        MsgBox(T("AppIsRunning"), MsgButtons::OK, MsgIcon::Information);
        Ui().EndProgram();
    }
    if (!m_options.bWindowed) {
        setWindowFlag(Qt::FramelessWindowHint, true);
    }
    setFixedSize(TwipsToPixels(9675), TwipsToPixels(7275));
    move(0, 0);
    setWindowState(Qt::WindowNoState);
    if (!g_bInitFormdone) {
        g_bInitFormdone = InitForm();
    }
}

bool ConfExtAx::InitForm() {
    HideAllGrids();
    ConnectAndCheck();
    show();
    InitMainWindow();
    return true;
}

void ConfExtAx::ConnectAndCheck() {
    if (!ConnectController(this)) {
        Ui().EndProgram();
    }
    std::string sReasons;
    if (!CheckPreconditions(sReasons)) {
        MsgBox(Paragraphs(sReasons, T("TheToolWillBeClosed")), MsgButtons::OK,
               MsgIcon::Information);
        DisconnectController();
        Ui().EndProgram();
    }
    ActivatePendant();
    if (g_sMachineDat.empty()) {
        LoadControllerFile("$MACHINE.DAT", g_sMachineDat);
    }
}

void ConfExtAx::InitMainWindow() {
    g_bMainDataRead = false;
    g_bExtAxesRead = false;
    g_bMainAxesRead = false;
    g_bExtKinRead = false;
    g_bServoListsRead = false;
    g_bControlTypeRead = false;

    for (QPushButton* pKey : BtnMenu) {
        pKey->setEnabled(false);
    }
    LsrTab->setEnabled(false);

    static constexpr std::array<const char*, 5> kTabKeys = {
        "GeneralData", "MainAxData", "ExtAxData", "ExtKinData", "ServofileData"};
    for (int i = 0; i < 5; ++i) {
        LsrTab->setTabText(i, ToQt(T(kTabKeys[i])));
    }
    for (int i : {0, 1, 4, 5}) {
        StatKeyLSt[i]->setEnabled(true);
    }

    BtnMenu[0]->setText(ToQt(T("mnuFile")));
    mnusubfile[0]->setText(ToQt(MenuCaption(0, "mnuArchivExtAx")));
    mnusubfile[1]->setText(ToQt(MenuCaption(1, "mnuLoadExtAx")));
    mnusubfile[3]->setText(ToQt(MenuCaption(2, "Exit")));
    BtnMenu[1]->setText(ToQt(T("mnuWindow")));
    for (int i = 0; i < 5; ++i) {
        mnusubwindow[i]->setText(ToQt(MenuCaption(i, kTabKeys[i])));
    }
    BtnMenu[2]->setText(ToQt(T("mnuServoFile")));
    mnuSubServofile[0]->setText(ToQt(MenuCaption(0, "EditServoFile")));
    mnuSubServofile[1]->setText(ToQt(MenuCaption(1, "NewServoFile")));
    mnuSubServofile[2]->setText(ToQt(MenuCaption(2, "DeleteServoFile")));
    mnuSubServofile[4]->setText(ToQt(MenuCaption(3, "SaveServoFile")));
    BtnMenu[7]->setText(ToQt(T("mnuInfo")));
    mnuSubInfo[0]->setText(ToQt(MenuCaption(0, "Version")));
    BtnCmd[0]->setText(ToQt(T("Change")));
    BtnCmd[5]->setText(ToQt(T("Save")));
    BtnCmd[6]->setText(ToQt(T("Exit")));

    g_colMainDataList = KeyedCollection();
    g_colMainAxesList = KeyedCollection();
    g_colExtAxesList = KeyedCollection();
    g_colExtKinList = KeyedCollection();
    g_colSFViewList = KeyedCollection();
    g_colSFChanges = KeyedCollection();
    g_colVarDefs = KeyedCollection();
    g_colMadaValues = KeyedCollection();
    g_colMadaChanges = KeyedCollection();

    g_sIniFile = m_options.sIniFile;
    if (!FileExists(g_sIniFile)) {
        MsgBox(Paragraphs(T("FileNotFound") + ": " + g_sIniFile, T("TheToolWillBeClosed")),
               MsgButtons::OK, MsgIcon::Error);
        // Released here too, so that the controller is never left connected to a program
        // that has gone.
        DisconnectController();
        Ui().EndProgram();
    }
    g_sLogFile = ReadIniValue("FILES", "LogFile");
    LoadPaths();
    if (!m_options.sMadaDir.empty()) {
        g_sMadaPath = m_options.sMadaDir;
        if (g_sMadaPath.back() != '/') {
            g_sMadaPath += '/';
        }
    }
}

bool ConfExtAx::AppIsActive() const {
    return QApplication::activeWindow() != nullptr;
}

// ---- the window's lock and tabs ------------------------------------------------------------

void ConfExtAx::EnableMainControls(bool bEnable) {
    const bool bSafety = g_bSafetyActive;
    g_bEditActive = !bEnable;
    if (bSafety) {
        return;
    }
    for (QPushButton* pKey : BtnMenu) {
        pKey->setEnabled(bEnable);
    }
    for (int i = 0; i < LsrTab->count(); ++i) {
        SetTabEnabled(i, bEnable || i == LsrTab->currentIndex());
    }
    for (int i : {0, 1, 4, 5}) {
        StatKeyLSt[i]->setEnabled(bEnable);
    }
    for (int i : {0, 5, 6}) {
        BtnCmd[i]->setEnabled(bEnable);
    }
    update();
    LsrTab->setEnabled(true);
    BtnCmd[3]->setText(QString());
    if (!bEnable) {
        return;
    }
    if (g_sControlType == "(V)BN 57" || g_sControlType == "(V)BN 86T") {
        if (g_bRobotModelTrafo) {
            SetTabEnabled(1, false);
            GenAxData->setEnabled(false);
        }
    } else if (g_sControlType == "(V)BN 40" || g_sControlType == "(V)BN 40L") {
        SetTabEnabled(1, false);
        SetTabEnabled(4, false);
        GenAxData->setEnabled(false);
    } else {
        for (int i = 0; i < LsrTab->count(); ++i) {
            SetTabEnabled(i, false);
        }
        EnableMainControls(false);
        BtnCmd[6]->setEnabled(true);
    }
    if (SelectedTab() == 4 && g_sServoMode == "NEW") {
        BtnCmd[3]->setEnabled(true);
        BtnCmd[3]->setText(ToQt(T("CreateServoFile")));
    }
}

void ConfExtAx::HideAllGrids() {
    for (QWidget* pWidget : std::initializer_list<QWidget*>{
             GenAxData, GenExAxData, MainAxDataGrid, ExAxDataGrid, ExKinDataGrid, ExEtxDataGrid,
             ExFrmDataGrid, SF_CalcDataGrid, SF_CommDataGrid, Lbl_ParCalc, Lbl_ParUser, Frm_Info,
             Lbl_ExAxData, Lbl_MainAxData}) {
        pWidget->hide();
    }
}

int ConfExtAx::SelectedTab() const {
    return LsrTab->currentIndex();
}

void ConfExtAx::SetTabEnabled(int nIndex, bool bEnable) {
    // The tab bar would move the selection away from a tab it disables; the selected tab
    // stays selected here, as the activations expect.
    const QSignalBlocker blocker(LsrTab);
    const int nCurrent = LsrTab->currentIndex();
    LsrTab->setTabEnabled(nIndex, bEnable);
    LsrTab->setCurrentIndex(nCurrent);
}

void ConfExtAx::SelectTabQuietly(int nIndex) {
    const QSignalBlocker blocker(LsrTab);
    LsrTab->setCurrentIndex(nIndex);
}

void ConfExtAx::ShowActiveTab() {
    switch (SelectedTab()) {
    case 0:
        ShowGeneralTab();
        break;
    case 1:
        ShowMainAxesTab();
        break;
    case 2:
        ShowExtAxesTab();
        break;
    case 3:
        ShowExtKinTab();
        break;
    case 4:
        ShowServoFileTab();
        break;
    default:
        break;
    }
}

void ConfExtAx::RefreshGeneralLabels() {
    GeneralTabTexts texts;
    BuildGeneralGrids(GenAxData->Model(), GenExAxData->Model(), texts);
    Lbl_MainAxData->setText(ToQt(texts.sMainAxCaption));
    Lbl_MainAxData->adjustSize();
    Lbl_ExAxData->setText(ToQt(texts.sExAxCaption));
    Lbl_ExAxData->adjustSize();
    Frm_Info->setTitle(ToQt(texts.sInfoCaption));
    for (int i = 0; i < 3; ++i) {
        Lbl_Desc[i]->setText(ToQt(texts.asDesc[i]));
        Lbl_Vel[i]->setText(ToQt(texts.asValue[i]));
    }
    GenAxData->Redraw();
    GenExAxData->Redraw();
}

void ConfExtAx::ShowGeneralTab() {
    EnableMainControls(false);
    SelectTabQuietly(0);
    ReadMainAxesVar();
    ReadExtAxesVar();
    ReadExtKinVar();
    ReadMainData();
    if (!g_bControlTypeRead) {
        g_bControlTypeRead = LoadControlType();
    }
    RefreshGeneralLabels();
    if (!g_bVarDefsLoaded) {
        g_bVarDefsLoaded = LoadAllVariableDefinitions();
    }
    g_nExAxNum = CurrentAxisCount("$EX_AX_NUM");
    g_nNumAx = CurrentAxisCount("$NUM_AX");
    HideAllGrids();
    for (QWidget* pWidget : std::initializer_list<QWidget*>{GenAxData, GenExAxData, Frm_Info,
                                                            Lbl_ExAxData, Lbl_MainAxData}) {
        pWidget->show();
    }
    EnableMainControls(true);
    if (GenAxData->isEnabled()) {
        GenAxData->setFocus();
    } else {
        GenExAxData->setFocus();
    }
}

void ConfExtAx::ShowMainAxesTab() {
    EnableMainControls(false);
    ReadMainAxesVar();
    BuildMainAxesGrid(MainAxDataGrid->Model());
    MainAxDataGrid->Redraw();
    HideAllGrids();
    MainAxDataGrid->show();
    EnableMainControls(true);
    MainAxDataGrid->setFocus();
}

void ConfExtAx::ShowExtAxesTab() {
    EnableMainControls(false);
    ReadExtAxesVar();
    BuildExtAxesGrid(ExAxDataGrid->Model());
    ExAxDataGrid->Redraw();
    HideAllGrids();
    ExAxDataGrid->show();
    EnableMainControls(true);
    ExAxDataGrid->setFocus();
}

void ConfExtAx::ShowExtKinTab() {
    EnableMainControls(false);
    ReadExtKinVar();
    BuildExtKinGrid(ExKinDataGrid->Model());
    ExKinDataGrid->Redraw();
    BuildKinSystemGrids(ExEtxDataGrid->Model(), ExFrmDataGrid->Model());
    ExEtxDataGrid->Redraw();
    ExFrmDataGrid->Redraw();
    g_nExAxNum = CurrentAxisCount("$EX_AX_NUM");
    HideAllGrids();
    ExKinDataGrid->show();
    ExEtxDataGrid->show();
    ExFrmDataGrid->show();
    EnableMainControls(true);
    ExKinDataGrid->setFocus();
}

void ConfExtAx::ShowServoFileTab() {
    EnableMainControls(false);
    if (!g_bServoListsRead) {
        InitServoFileData();
    }
    HideAllGrids();
    if (g_sServoMode != "OPEN") {
        ShowServoNewLayout();
    } else {
        ShowServoOpenLayout();
    }
    EnableMainControls(true);
}

void ConfExtAx::PlaceCaption(QLabel* pLabel, const GridCaption& caption) {
    pLabel->setText(ToQt(caption.sText));
    pLabel->adjustSize();
    pLabel->move(TwipsToPixels(caption.nLeft), TwipsToPixels(caption.nTop));
}

void ConfExtAx::ShowServoNewLayout() {
    GridCaption caption;
    BuildServoInputGrid(SF_CommDataGrid->Model(), caption);
    PlaceCaption(Lbl_ParUser, caption);
    BuildServoCalcGridNew(SF_CalcDataGrid->Model(), caption);
    PlaceCaption(Lbl_ParCalc, caption);
    g_sServoMode = "NEW";
    SF_CommDataGrid->Redraw();
    SF_CalcDataGrid->Redraw();
    for (QWidget* pWidget : std::initializer_list<QWidget*>{SF_CommDataGrid, SF_CalcDataGrid,
                                                            Lbl_ParCalc, Lbl_ParUser}) {
        pWidget->show();
    }
    SF_CommDataGrid->setFocus();
}

void ConfExtAx::ShowServoOpenLayout() {
    GridCaption caption;
    BuildServoCalcGridOpen(SF_CalcDataGrid->Model(), caption);
    PlaceCaption(Lbl_ParCalc, caption);
    SF_CalcDataGrid->Redraw();
    SF_CalcDataGrid->show();
    Lbl_ParCalc->show();
    SF_CalcDataGrid->setFocus();
}

ParamGrid* ConfExtAx::ActiveKinGrid() const {
    const std::string s = UCase(g_sActiveKinGrid);
    return s == "EXKINDATAGRID"   ? ExKinDataGrid
           : s == "EXETXDATAGRID" ? ExEtxDataGrid
           : s == "EXFRMDATAGRID" ? ExFrmDataGrid
                                  : nullptr;
}

void ConfExtAx::SetFocusToActiveGrid() {
    ParamGrid* pGrid = nullptr;
    switch (SelectedTab()) {
    case 0:
        pGrid = g_sActiveGenGrid == "GENAXDATA"     ? GenAxData
                : g_sActiveGenGrid == "GENEXAXDATA" ? GenExAxData
                                                    : nullptr;
        break;
    case 1:
        pGrid = MainAxDataGrid;
        break;
    case 2:
        pGrid = ExAxDataGrid;
        break;
    case 3:
        pGrid = ActiveKinGrid();
        break;
    case 4: {
        const std::string s = UCase(g_sActiveSFGrid);
        pGrid = s == "SF_COMMDATAGRID"   ? SF_CommDataGrid
                : s == "SF_CALCDATAGRID" ? SF_CalcDataGrid
                                         : nullptr;
        break;
    }
    default:
        break;
    }
    if (pGrid && pGrid->isVisible() && pGrid->isEnabled()) {
        pGrid->setFocus();
    }
}

// ---- soft keys, menus, status keys ---------------------------------------------------------

void ConfExtAx::mnusubwindow_Click(int nIndex) {
    if (nIndex < 0 || nIndex >= LsrTab->count() || !LsrTab->isTabEnabled(nIndex) || g_bEditActive ||
        g_bSafetyActive) {
        return;
    }
    for (int i = 0; i < 5; ++i) {
        mnusubwindow[i]->setChecked(i == nIndex);
    }
    SelectTabQuietly(nIndex);
    ShowActiveTab();
    Ui().SetBusyPointer(false);
}

void ConfExtAx::LsrTab_Click(int nIndex) {
    mnusubwindow_Click(nIndex);
}

void ConfExtAx::BtnCmd_Click(int nIndex) {
    if (g_bEditActive || g_bSafetyActive) {
        return;
    }
    switch (nIndex) {
    case 0: {
        ParamGrid* pKin = ActiveKinGrid();
        if (pKin && pKin->isVisible()) {
            pKin->setFocus();
        }
        StartCellEdit();
        break;
    }
    case 3:
        EnableMainControls(false);
        if (SelectedTab() == 4 && CalcServoParameters()) {
            GridCaption caption;
            BuildServoCalcGridNew(SF_CalcDataGrid->Model(), caption);
            SF_CalcDataGrid->Redraw();
        }
        EnableMainControls(true);
        break;
    case 5:
        EnableMainControls(false);
        if (SelectedTab() <= 3) {
            SaveMachineData(false);
        } else if (SaveServoFile(false)) {
            ShowServoFileTab();
        }
        EnableMainControls(true);
        break;
    case 6:
        EnableMainControls(false);
        ExitProgram(true);
        EnableMainControls(true);
        break;
    default:
        break;
    }
}

void ConfExtAx::BtnMenu_Click(int nIndex) {
    if (g_bEditActive || g_bSafetyActive) {
        return;
    }
    QMenu* pMenu = nullptr;
    switch (nIndex) {
    case 0:
        pMenu = mnuFile;
        break;
    case 1:
        pMenu = mnuwindow;
        for (int i = 0; i < 5; ++i) {
            mnusubwindow[i]->setEnabled(g_abWindowMenuEnabled[i]);
        }
        break;
    case 2:
        pMenu = mnuServofile;
        for (QAction* pItem : mnuSubServofile) {
            pItem->setEnabled(g_bServoMenuEnabled);
        }
        break;
    case 7:
        pMenu = mnuInfo;
        break;
    default:
        break;
    }
    if (pMenu) {
        const QRect key = BtnMenu[nIndex]->geometry();
        const int nTop = TwipsToPixels(452);
        const int nLeft = nIndex == 7 ? key.right() + 1 - pMenu->sizeHint().width() : key.left();
        pMenu->popup(mapToGlobal(QPoint(nLeft, nTop)));
    }
    SetFocusToActiveGrid();
}

void ConfExtAx::mnusubfile_Click(int nIndex) {
    switch (nIndex) {
    case 0:
        EnableMainControls(false);
        ExportArchive();
        EnableMainControls(true);
        mnusubwindow_Click(0);
        break;
    case 1:
        EnableMainControls(false);
        ImportArchive();
        Skipping([this] {
            RefreshGeneralLabels();
            BuildExtAxesGrid(ExAxDataGrid->Model());
            ExAxDataGrid->Redraw();
            BuildExtKinGrid(ExKinDataGrid->Model());
            ExKinDataGrid->Redraw();
        });
        EnableMainControls(true);
        mnusubwindow_Click(0);
        break;
    case 3:
        EnableMainControls(false);
        ExitProgram(true);
        EnableMainControls(true);
        break;
    default:
        SendKeyToWindow(Qt::Key_Escape, Qt::NoModifier);
        break;
    }
}

void ConfExtAx::mnuSubInfo_Click(int nIndex) {
    if (nIndex != 0) {
        return;
    }
    frmSplash splash(this);
    EnableMainControls(false);
    splash.Show_Version();
    EnableMainControls(true);
}

bool ConfExtAx::PendingServoChangesSettled(int nIndex) {
    if (nIndex == 2) {
        return MsgBox(T("DoYouWantDeleteTheEntries"), MsgButtons::YesNo, MsgIcon::Question,
                      MsgAnswer::No) == MsgAnswer::Yes;
    }
    switch (MsgBox(T("DoYouWantSaveServoFileChanges"), MsgButtons::YesNoCancel, MsgIcon::Question,
                   MsgAnswer::Yes)) {
    case MsgAnswer::Yes:
        return SaveServoFile(true);
    case MsgAnswer::No:
        return true; // the changes are dropped with the data model
    default:
        return false;
    }
}

void ConfExtAx::mnuSubServofile_Click(int nIndex) {
    if (nIndex < 0 || nIndex > 4 || nIndex == 3) {
        return;
    }
    if (SelectedTab() != 4) {
        mnusubwindow_Click(4);
    }
    if (SelectedTab() != 4) {
        return;
    }
    if (nIndex == 4) {
        BtnCmd_Click(5);
        return;
    }
    EnableMainControls(false);
    if (!g_colSFChanges.Empty() && !PendingServoChangesSettled(nIndex)) {
        EnableMainControls(true);
        return;
    }
    InitServoFileData();
    if (nIndex == 0) {
        const std::string sPath =
            ShowFileDialog(true, "servo", g_sMadaPath, "Servo-File", T("OpenServoFile"), "");
        if (!sPath.empty() && FileExists(sPath)) {
            HideAllGrids();
            EnableMainControls(false);
            ReadServoFile(sPath);
            g_sServoFileName = FromPath(ToPath(sPath).filename());
            g_sServoMode = "OPEN";
            ShowServoOpenLayout();
        }
    } else {
        if (nIndex == 1) {
            g_colSFViewList = g_colSFCalcList;
        }
        HideAllGrids();
        ShowServoNewLayout();
    }
    EnableMainControls(true);
}

void ConfExtAx::StatKeyLSt_Click(int nIndex) {
    switch (nIndex) {
    case 0:
    case 1: {
        if (g_bEditActive || g_bSafetyActive) {
            return;
        }
        const int nStep = nIndex == 0 ? 1 : -1;
        for (int i = SelectedTab() + nStep; i >= 0 && i < LsrTab->count(); i += nStep) {
            if (LsrTab->isTabEnabled(i)) {
                mnusubwindow_Click(i);
                return;
            }
        }
        return;
    }
    case 4:
        SendKeyToWindow(Qt::Key_Tab, Qt::NoModifier);
        return;
    case 5:
        SendKeyToWindow(Qt::Key_Backtab, Qt::ShiftModifier);
        return;
    default:
        return;
    }
}

void ConfExtAx::SendKeyToWindow(int nKey, Qt::KeyboardModifiers modifiers) {
    QWidget* pTarget = QApplication::focusWidget();
    if (!pTarget) {
        pTarget = QApplication::activeWindow() ? QApplication::activeWindow() : this;
    }
    QKeyEvent press(QEvent::KeyPress, nKey, modifiers);
    QApplication::sendEvent(pTarget, &press);
    QKeyEvent release(QEvent::KeyRelease, nKey, modifiers);
    QApplication::sendEvent(pTarget, &release);
}

// ---- pendant -------------------------------------------------------------------------------

void ConfExtAx::Zep1_KeyEvent(int nKeyCode) {
    switch (nKeyCode) {
    case 113:
        BtnCmd_Click(0);
        break;
    case 116:
        BtnCmd_Click(3);
        break;
    case 118:
        BtnCmd_Click(5);
        break;
    case 119:
        BtnCmd_Click(6);
        break;
    case 128:
        StatKeyLSt_Click(0);
        break;
    case 129:
        StatKeyLSt_Click(1);
        break;
    case 132:
        StatKeyLSt_Click(4);
        break;
    case 133:
        StatKeyLSt_Click(5);
        break;
    default:
        if (nKeyCode >= 120 && nKeyCode <= 127) {
            BtnMenu_Click(nKeyCode - 120);
        }
        break;
    }
}

void ConfExtAx::Zep1_EscapeEvent() {
    if (!g_bEditActive && !g_bSafetyActive) {
        SendKeyToWindow(Qt::Key_Escape, Qt::NoModifier);
    }
}

bool ConfExtAx::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::KeyPress &&
        (pWatched == ChangeTb || pWatched == ChangeTb2 || pWatched == ChangeCombo) &&
        PendantKeyCode(static_cast<QKeyEvent*>(pEvent)->key()) == 0) {
        return EditControlKey(pWatched, static_cast<QKeyEvent*>(pEvent));
    }
    if (pEvent->type() == QEvent::FocusIn && (pWatched == ChangeTb || pWatched == ChangeTb2)) {
        // After the box's own focus handling, which would keep the old selection.
        QMetaObject::invokeMethod(
            static_cast<QLineEdit*>(pWatched),
            [pBox = static_cast<QLineEdit*>(pWatched)] { pBox->selectAll(); },
            Qt::QueuedConnection);
    }
    if (pEvent->type() == QEvent::KeyPress && pWatched->isWidgetType()) {
        const int nCode = PendantKeyCode(static_cast<QKeyEvent*>(pEvent)->key());
        const QWidget* pModal = QApplication::activeModalWidget();
        // The pendant reaches the main window, and through it the safety screen, but not a
        // message box or file dialog that is open.
        if (nCode != 0 && (!pModal || qobject_cast<const frmSplash*>(pModal))) {
            Zep1_KeyEvent(nCode);
            return true;
        }
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

// ---- window events -------------------------------------------------------------------------

void ConfExtAx::changeEvent(QEvent* pEvent) {
    QWidget::changeEvent(pEvent);
    if (pEvent->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void ConfExtAx::Form_Activate() {
    // Before the first tab is built and while the safety screen is up there is nothing to
    // rebuild.
    if (g_bControlTypeRead && !g_bSafetyActive && !g_bEditActive) {
        ShowActiveTab();
    }
}

void ConfExtAx::closeEvent(QCloseEvent* pEvent) {
    pEvent->ignore();
    if (!g_bSafetyActive) {
        ExitProgram(true);
    }
}

void ConfExtAx::ShowProgress(double dMin, double dMax, double dValue) {
    const double dSpan = dMax - dMin;
    const double dShare = dSpan > 0 ? (dValue - dMin) / dSpan : 0;
    ProgressBar->setValue(static_cast<int>(std::clamp(dShare, 0.0, 1.0) * 1000));
    ProgressBar->show();
    ProgressBar->repaint();
}

void ConfExtAx::HideProgress() {
    ProgressBar->hide();
}

// ---- grid events ---------------------------------------------------------------------------

void ConfExtAx::HighlightCurrent(ParamGrid* pGrid) {
    if (pGrid->Col() != 0) {
        pGrid->SetCellBackground(pGrid->Row(), pGrid->Col(), kLightYellow);
    }
}

void ConfExtAx::ResetCurrent(ParamGrid* pGrid) {
    pGrid->ResetCellBackground(pGrid->Row(), pGrid->Col());
}

void ConfExtAx::ShowHelpPanel(const VariableHelpTexts& help) {
    Lbl_HlpsDesc->setText(ToQt(help.sShortDesc));
    Lbl_HlpsDesc->adjustSize();
    Lbl_HlpDesc->setText(ToQt(help.sLongDesc));
    Lbl_HlpUnit->setText(ToQt(help.sUnit));
    Lbl_HlpUnit->adjustSize();
    Lbl_HlpType->setText(ToQt(help.sType));
    Lbl_HlpType->adjustSize();
    Lbl_HlpDef->setText(ToQt(help.sDefault));
    Lbl_HlpFix->setText(ToQt(help.sFixed));
    Lbl_HlpMin->setText(ToQt(help.sMin));
    Lbl_HlpMax->setText(ToQt(help.sMax));
    const int nUnitLeft = Lbl_HlpsDesc->x() + Lbl_HlpsDesc->width() + TwipsToPixels(250);
    Lbl_HlpUnit->move(nUnitLeft, 0);
    Lbl_HlpType->move(nUnitLeft + Lbl_HlpUnit->width() + TwipsToPixels(1000), 0);
}

void ConfExtAx::Grid_EnterOrFocus(GridKind kind, ParamGrid* pGrid, bool bGotFocus) {
    const std::string sName = pGrid->Model().Text(pGrid->Row(), 0);
    switch (kind) {
    case GridKind::GenAx:
    case GridKind::GenExAx:
        g_sActiveGenGrid = kind == GridKind::GenAx ? "GENAXDATA" : "GENEXAXDATA";
        ShowHelpPanel(ShowVariableHelp(sName));
        HighlightCurrent(pGrid);
        break;
    case GridKind::MainAx:
    case GridKind::ExAx:
        ShowHelpPanel(ShowVariableHelp(sName));
        HighlightCurrent(pGrid);
        ApplyAxisColumnWidths(pGrid->Model(), pGrid->Col());
        pGrid->Redraw();
        break;
    case GridKind::ExKin:
        g_sActiveKinGrid = "ExKinDataGrid";
        ShowHelpPanel(ShowVariableHelp(sName));
        HighlightCurrent(pGrid);
        g_nCurEtNr = pGrid->Col();
        BuildKinSystemGrids(ExEtxDataGrid->Model(), ExFrmDataGrid->Model());
        ExEtxDataGrid->Redraw();
        ExFrmDataGrid->Redraw();
        if (bGotFocus && pGrid->Col() != 0) {
            ResetCurrent(ExEtxDataGrid);
            ResetCurrent(ExFrmDataGrid);
        }
        break;
    case GridKind::ExEtx:
        g_sActiveKinGrid = "ExEtxDataGrid";
        if (pGrid->Col() == 1) {
            ShowHelpPanel(ShowVariableHelp("$ET#_NAME"));
        } else if (pGrid->Col() >= 2) {
            ShowHelpPanel(ShowVariableHelp("$ET#_AX"));
        }
        HighlightCurrent(pGrid);
        ResetCurrent(ExKinDataGrid);
        ResetCurrent(ExFrmDataGrid);
        break;
    case GridKind::ExFrm:
        g_sActiveKinGrid = "ExFrmDataGrid";
        ShowHelpPanel(ShowVariableHelp(sName));
        HighlightCurrent(pGrid);
        if (bGotFocus) {
            ResetCurrent(ExEtxDataGrid);
            ResetCurrent(ExKinDataGrid);
        }
        break;
    case GridKind::SFComm: {
        g_sActiveSFGrid = "SF_COMMDATAGRID";
        const int r = pGrid->Row();
        ShowHelpPanel(ShowVariableHelp(
            r >= 1 && r <= g_colSFNeededList.Count() ? g_colSFNeededList.Item(r) : std::string()));
        HighlightCurrent(pGrid);
        break;
    }
    case GridKind::SFCalc:
        g_sActiveSFGrid = "SF_CalcDataGrid";
        ShowHelpPanel(ShowVariableHelp(ServoCalcRowName(sName, pGrid->Row())));
        HighlightCurrent(pGrid);
        break;
    }
}

void ConfExtAx::Grid_LeaveCell(ParamGrid* pGrid) {
    if (pGrid->Col() != 0) {
        ResetCurrent(pGrid);
    }
}

void ConfExtAx::Grid_LostFocus(GridKind kind, ParamGrid* pGrid) {
    // The axis grids keep the highlight of their current cell.
    if (kind != GridKind::MainAx && kind != GridKind::ExAx) {
        ResetCurrent(pGrid);
    }
}

void ConfExtAx::Grid_KeyPress(GridKind kind, ParamGrid* pGrid, int nKeyAscii) {
    if (pGrid->Col() == 0 || nKeyAscii != kKeyEnter) {
        return;
    }
    switch (kind) {
    case GridKind::GenAx:
        g_sActiveGenGrid = "GENAXDATA";
        break;
    case GridKind::GenExAx:
        g_sActiveGenGrid = "GENEXAXDATA";
        break;
    case GridKind::ExKin:
        g_sActiveKinGrid = "ExKinDataGrid";
        break;
    case GridKind::ExEtx:
        g_sActiveKinGrid = "ExEtxDataGrid";
        pGrid->setFocus();
        break;
    case GridKind::ExFrm:
        g_sActiveKinGrid = "ExFrmDataGrid";
        pGrid->setFocus();
        break;
    case GridKind::SFComm:
        g_sActiveSFGrid = "SF_COMMDATAGRID";
        break;
    case GridKind::SFCalc:
        g_sActiveSFGrid = "SF_CalcDataGrid";
        break;
    case GridKind::MainAx:
    case GridKind::ExAx:
        break;
    }
    StartCellEdit();
}

} // namespace morvane
