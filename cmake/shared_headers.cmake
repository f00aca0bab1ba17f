# Compiling a window or a test file goes mostly into parsing the same Qt, GoogleTest and
# standard headers again. Targets built with the same flags share one precompiled header:
# the first target of a group makes it, the others reuse it. A target whose flags differ
# from its group's would make GCC refuse the header, which -Winvalid-pch reports.
option(KELMAR_PCH "Precompile the headers that the Qt program and the tests share" ON)

set(kelmar_std_headers <algorithm> <filesystem> <functional> <map> <memory> <optional>
    <string> <string_view> <vector>)
# The widgets most windows use, not Qt's whole umbrella: a larger header costs every file
# more to load than it saves.
set(kelmar_qt_headers <QAbstractButton> <QAction> <QApplication> <QCheckBox> <QComboBox>
    <QGroupBox> <QLabel> <QLayout> <QLineEdit> <QListWidget> <QPushButton> <QRadioButton>
    <QScreen> <QString> <QStyle> <QTimer> <QWidget>)
set(kelmar_shared_headers_qt ${kelmar_qt_headers} ${kelmar_std_headers})
set(kelmar_shared_headers_tests <gtest/gtest.h> <fstream> <sstream> ${kelmar_std_headers})
set(kelmar_shared_headers_qt_tests <QtTest> ${kelmar_qt_headers} <gtest/gtest.h> ${kelmar_std_headers})

# kelmar_share_headers(<target> <group>): group is qt, tests or qt_tests.
function(kelmar_share_headers target group)
  if(NOT KELMAR_PCH)
    return()
  endif()
  # Through a precompiled header GCC 12 no longer sees that std::string's own code is a
  # system header's and warns falsely inside it where it inlines a concatenation.
  target_compile_options(${target} PRIVATE
    "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-stringop-overflow;-Wno-stringop-overread;-Wno-array-bounds>")
  get_property(maker GLOBAL PROPERTY kelmar_pch_maker_${group})
  if(maker)
    target_precompile_headers(${target} REUSE_FROM ${maker})
  else()
    set_property(GLOBAL PROPERTY kelmar_pch_maker_${group} ${target})
    target_precompile_headers(${target} PRIVATE ${kelmar_shared_headers_${group}})
  endif()
endfunction()
