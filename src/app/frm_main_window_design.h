#pragma once
// The main window's fixed design: sizes, caption lines and control names, shared by its source files.

#include "dialogs/fitted_controls.h"
#include "platform/product.h"

#include <QList>
#include <QString>

#include <string>

class QAction;

namespace kelmar::app::main_window {

// A tooltip followed by the action's shortcut, as "Import OFFLINE (F6)".
QString withShortcut(const QString& tip, const QAction& action);
// Gives every menu entry (and the entries of its submenus) an access key of its own.
void giveAccessKeys(const QList<QAction*>& entries);

// The window's design size: its height with and without the output-path frame.
inline constexpr int kHeightWithPath = dialogs::pixelsFromTwips(10005);
inline constexpr int kHeightWithoutPath = dialogs::pixelsFromTwips(9195);
inline constexpr int kWidth = dialogs::pixelsFromTwips(12300);
// Status panel 1 while online; the offline import's texts in status panel 2.
inline constexpr int kOnlineLine = 233;
inline constexpr int kImportRunningLine = 238;
inline constexpr int kImportFinishedLine = 239;

struct Caption {
    const char* name;
    int line;
};

// Every control and menu entry whose caption comes from a language line.
inline constexpr Caption kCaptions[] = {
    {"framePathForOutput", 230}, {"frameCharacteristicData", 209}, {"cmdClearList", 210},
    {"cmdCheckList", 211},       {"cmdCheckOOT", 212},             {"cmdCheckOK", 213},
    {"cmdQDASData", 214},        {"Label1", 215},                  {"Label2", 216},
    {"Label3", 217},             {"Label4", 218},                  {"Label5", 219},
    {"Label6", 220},             {"Label7", 221},                  {"Label10", 222},
    {"Label9", 223},             {"Label12", 224},                 {"Label11", 225},
    {"Label8", 226},             {"chkOTolNat", 227},              {"chkUTolNat", 228},
    {"chkMarked", 229},          {"frameOrvPart", 204},            {"lblOrvFileNameCaption", 205},
    {"lblOrvPartNameCaption", 206}, {"lblOrvRevNumberCaption", 207}, {"lblOrvSerNumberCaption", 208},
};

inline constexpr Caption kMenuCaptions[] = {
    {"menuFile", 178},       {"menuLanguage", 179},    {"menuEnglish", 180},      {"menuGerman", 181},
    {"menuFrench", 182},     {"menuItalian", 183},     {"menuCzech", 184},        {"menuSpanish", 185},
    {"menuPortuguese", 186}, {"menuExit", 187},        {"menuPreferences", 188},  {"menuSetup", 189},
    {"menuMonitor", 190},    {"menuQdasSettings", 191}, {"menuQdasKeySetup", 192}, {"menuHelp", 193},
    {"menuAbout", 195},
    {"menuHungaria", static_cast<int>(settings::Text::MenuHungarian)},
};

// Toolbar buttons: name, caption line (the tooltip is the next line).
inline constexpr Caption kToolbarButtons[] = {{"Button1", 196}, {"Button3", 198}, {"Button5", 200}, {"Button7", 202}};

// Detail rows: caption label, value label, design caption (the limits' long captions come from lines 222 and 223).
struct DetailRow {
    const char* caption;
    const char* value;
    const char* design;
};
inline constexpr DetailRow kDetails[] = {
    {"Label1", "lblNom", "Nominal"},         {"Label2", "lblMeas", "Measured"},
    {"Label3", "lblUTol", "UTol"},           {"Label4", "lblLTol", "LTol"},
    {"Label5", "lblDev", "Deviation"},       {"Label6", "lblOOT", "Out of Tol"},
    {"Label7", "lblUnit", "Unit"},           {"Label10", "lblUSL", "USL"},
    {"Label9", "lblLSL", "LSL"},             {"Label12", "lblFeat1", "Feature 1"},
    {"Label11", "lblFeat2", "Feature 2"},    {"Label8", "lblFeat3", "Feature 3"},
};

inline constexpr const char* kLanguageMenus[] = {"menuEnglish", "menuGerman",  "menuFrench",     "menuItalian",
                                          "menuCzech",   "menuSpanish", "menuPortuguese", "menuHungaria"};

inline std::string versionCaption() { return std::string("Kelmar Version ") + platform::kVersion; }

}  // namespace kelmar::app::main_window
