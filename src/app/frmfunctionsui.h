#pragma once

#include <QString>

#include <array>
#include <utility>

#include "plot/windowcommand.h"
#include "record/studyrecord.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;

namespace tessaly::app {

class PictureArea;
class PictureView;

// The controls of the main window, named as the program names them, and their
// layout: the picture and the command frames on top, the result lists, the
// study and plot fields, and the function line at the bottom. Space the window
// gains goes to the picture's area.
struct FrmFunctionsUi {
    // prgCommand's steps from no progress to the whole command.
    static constexpr int kProgressSteps = 1000;

    // The texts of the fields that carry the study, as typed.
    record::FieldTexts fieldTexts() const;
    // The derivative list: "Function", then the 1st to the 9th derivative.
    void fillDerivativeList() const;
    // The fourteen buttons of the Graph frame, each with the change of window it asks.
    std::array<std::pair<QPushButton*, plot::WindowCommand>, 14> windowButtons() const;

    PictureView* Picture1 = nullptr;
    PictureArea* pictureArea = nullptr;  // the free space the picture grows into
    QPushButton* cmdShowEvaluator = nullptr;

    QGroupBox* fraConstants = nullptr;
    QComboBox* cboConstants = nullptr;
    QPushButton* cmdAddCons = nullptr;
    QPushButton* cmdRemCons = nullptr;

    QGroupBox* fraEvalDer = nullptr;
    QPushButton* cmdDerVal = nullptr;
    QLineEdit* txtXeval = nullptr;
    QLineEdit* txtDerNum = nullptr;
    QLabel* lblDerVal = nullptr;
    QLabel* lblXeval = nullptr;
    QLabel* lblDerNum = nullptr;

    QGroupBox* fraZoomPan = nullptr;
    QGroupBox* FraWindow = nullptr;
    QPushButton* cmdIncWindY = nullptr;
    QPushButton* cmdDecWindY = nullptr;
    QPushButton* cmdIncWindX = nullptr;
    QPushButton* cmdDecWindX = nullptr;
    QGroupBox* fraZoom = nullptr;
    QPushButton* cmdZoomOut = nullptr;
    QPushButton* cmdZoomIn = nullptr;
    QGroupBox* fraZoomQuad = nullptr;
    QPushButton* cmdZoomQ1 = nullptr;
    QPushButton* cmdZoomQ2 = nullptr;
    QPushButton* cmdZoomQ3 = nullptr;
    QPushButton* cmdZoomQ4 = nullptr;
    QGroupBox* fraPan = nullptr;
    QPushButton* cmdPanLeft = nullptr;
    QPushButton* cmdPanRight = nullptr;
    QPushButton* cmdPanDown = nullptr;
    QPushButton* cmdPanUp = nullptr;

    QListWidget* lstExtrema = nullptr;
    QPushButton* cmdExtrema = nullptr;
    QListWidget* lstRoots = nullptr;
    QPushButton* cmdRoots = nullptr;
    QPushButton* cmdIntegrate = nullptr;
    QComboBox* cboDerivative = nullptr;

    QGroupBox* fraStudySpecs = nullptr;
    QLineEdit* txtXlower = nullptr;
    QLineEdit* txtXupper = nullptr;
    QLineEdit* txtMaxcy = nullptr;
    QLineEdit* txtError = nullptr;
    QLineEdit* txtSubintervals = nullptr;
    QLabel* lblXinterval = nullptr;
    QLabel* lblMaxcy = nullptr;
    QLabel* lblError = nullptr;
    QLabel* lblSubintervals = nullptr;

    QGroupBox* fraPlotSpecs = nullptr;
    QCheckBox* chkWindow = nullptr;
    QCheckBox* chkDivisions = nullptr;
    QCheckBox* chkShade = nullptr;
    QCheckBox* chkPersist = nullptr;
    QCheckBox* chkGrid = nullptr;
    QLineEdit* txtDivy = nullptr;
    QLineEdit* txtYorigin = nullptr;
    QLineEdit* txtDivx = nullptr;
    QLineEdit* txtXorigin = nullptr;
    QLineEdit* txtPlotStep = nullptr;
    QLineEdit* txtWindowlx = nullptr;
    QLineEdit* txtWindowgx = nullptr;
    QLineEdit* txtWindowly = nullptr;
    QLineEdit* txtWindowgy = nullptr;
    QLabel* lblDivy = nullptr;
    QLabel* lblYorigin = nullptr;
    QLabel* lblDivx = nullptr;
    QLabel* lblXorigin = nullptr;
    QLabel* lblPlotStep = nullptr;
    QLabel* lblWindowx = nullptr;
    QLabel* lblWindowy = nullptr;

    QLineEdit* txtEquation = nullptr;
    QPushButton* cmdPlot = nullptr;
    QLabel* lblIntegral = nullptr;
    QLabel* lblExtrema = nullptr;
    QLabel* lblRoots = nullptr;
    QLabel* lblEquation = nullptr;
    QLabel* lblWarnings = nullptr;  // what the results cannot be trusted for, a line each
    QLabel* lblStatus = nullptr;    // in the status bar: why the last command or plot did nothing
    // In the status bar while a long command runs: how far it has come, and its Cancel.
    QProgressBar* prgCommand = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The fields of the record's number items, by record::Item.
    std::array<QLineEdit*, record::kNumberItemCount> number{};

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QMenu* mnuRecent = nullptr;  // the recent studies, filled as it opens
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuQuit = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuTrustedDigits = nullptr;  // checkable: rows and labels show only their trusted digits
    QAction* mnuPrint = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* actShowEvaluator = nullptr;  // Ctrl+E, beside the button's own Alt+S

    // Creates the controls with their names, captions, default texts and tool
    // tips, lays them out in the window and sets the tab order. Returns the graph picture.
    PictureView& setupUi(QMainWindow* window);
};

}  // namespace tessaly::app
