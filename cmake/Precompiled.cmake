# Precompiled headers. Most of a build's time goes into parsing the same Qt and GoogleTest headers
# in every file, so each target that uses them compiles them once into a precompiled header that
# its files include first: the Qt headers of each Qt module it reaches through its libraries,
# GoogleTest's when it is a test, and the standard headers below. Targets whose compiler flags are
# the same share one.
# CMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them, to check that every file still includes
# what it uses. Qt's keywords (slots, signals, emit) are macros in every file of a target that
# reaches Qt, so no variable may be named after them there.

set(VELDRIN_PCH_STD <algorithm> <array> <chrono> <cstddef> <cstdint> <cstdio> <ctime> <functional>
                    <map> <memory> <mutex> <optional> <string> <string_view> <utility> <vector>)
set(VELDRIN_PCH_TEST <gtest/gtest.h> <gmock/gmock.h> <filesystem> <fstream> <sstream>)
set(VELDRIN_PCH_Qt6::Core <QByteArray> <QDateTime> <QDir> <QFile> <QObject> <QString> <QStringList>
                          <QTimer> <QVariant>)
set(VELDRIN_PCH_Qt6::Gui <QColor> <QFont> <QFontMetrics> <QImage> <QPainter> <QPen>)
set(VELDRIN_PCH_Qt6::Widgets <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QHBoxLayout>
                             <QLabel> <QLineEdit> <QMessageBox> <QPushButton> <QTabWidget> <QTableView>
                             <QVBoxLayout> <QWidget>)
set(VELDRIN_PCH_Qt6::PrintSupport <QPrinter>)
set(VELDRIN_PCH_Qt6::Test <QTest>)
set(VELDRIN_PCH_QT_MODULES Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Test)

# Collects into `out` the libraries `target` links, directly or through the project's own
# libraries and Qt's modules.
function(veldrin_linked_libraries target out)
    set(seen ${${out}})
    get_target_property(direct ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(library IN LISTS direct interface)
        if(NOT library OR library IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${library})
        if(library MATCHES "^(veldrin_|Qt6::)" AND TARGET ${library})
            veldrin_linked_libraries(${library} seen)
        endif()
    endforeach()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# veldrin_precompile(TARGET [TEST]): gives TARGET its precompiled header: GoogleTest's with TEST
# and the Qt headers of the modules it reaches, after the standard headers. A target with neither
# (the Qt-free libraries) gets none: its files are quick to parse. A target that reaches the
# same outside libraries as one before it (so that its compiler flags are the same) and has no
# definitions of its own takes that target's precompiled header instead of making its own. The
# compiler refuses a precompiled header made with other flags; CMake's -Winvalid-pch makes that an
# error under -Werror, so a wrong share does not go unnoticed.
function(veldrin_precompile target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "TEST" "" "")
    set(headers "")
    if(arg_TEST)
        list(APPEND headers ${VELDRIN_PCH_TEST})
    endif()
    set(linked "")
    veldrin_linked_libraries(${target} linked)
    foreach(module IN LISTS VELDRIN_PCH_QT_MODULES)
        if(module IN_LIST linked)
            list(APPEND headers ${VELDRIN_PCH_${module}})
        endif()
    endforeach()
    if(NOT headers)
        return()
    endif()
    list(PREPEND headers ${VELDRIN_PCH_STD})
    # GCC 12 at -O2 and above reports copies of impossible sizes inside the standard library's own
    # strings and vectors (operator+ of a literal and a std::string, push_back) when the standard
    # headers come precompiled; those warnings are off for that compiler in the targets with a
    # precompiled header only (the Qt-free core keeps them, and the sanitizer builds check the
    # bounds at run time).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-stringop-overflow -Wno-stringop-overread
                                                 -Wno-array-bounds)
    endif()
    # Clang stamps its precompiled headers with the time, which would make every compiler cache
    # lookup of the files that use them miss.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        target_compile_options(${target} PRIVATE -Xclang -fno-pch-timestamp)
    endif()
    list(FILTER linked EXCLUDE REGEX "^veldrin_")
    list(SORT linked)
    get_target_property(definitions ${target} COMPILE_DEFINITIONS)
    string(SHA1 key "${headers}|${linked}|${definitions}")
    get_property(donor GLOBAL PROPERTY VELDRIN_PCH_${key})
    if(donor AND NOT definitions)
        set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${donor})
    else()
        target_precompile_headers(${target} PRIVATE ${headers})
        set_property(GLOBAL PROPERTY VELDRIN_PCH_${key} ${target})
    endif()
endfunction()
