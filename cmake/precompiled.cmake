# Precompiled headers. Most of a build's time went into parsing the same Qt and test framework
# headers again for every file; each list below is parsed once per target instead. The test
# programs are one file each, so they share one precompiled header per kind, made by a holder
# target with the same libraries (and so the same definitions) as the tests that reuse it.
# -DVANTREL_PCH=OFF builds without them, which also shows a file that forgot an include.
# The libraries without Qt have none: there, with optimisation, a header of the standard
# library alone made GCC 12 report out-of-bounds copies in std::string that do not exist, and
# their files parse quickly anyway.
option(VANTREL_PCH "Precompile the headers that most files include" ON)

# A compiler cache takes files built on a precompiled header only when told to be lenient about
# it; otherwise it compiles every one of them again, uncached.
if(VANTREL_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set(CMAKE_CXX_COMPILER_LAUNCHER env
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

set(VANTREL_PCH_STD <algorithm> <array> <chrono> <cmath> <cstdint> <cstdio> <functional> <map>
    <memory> <mutex> <optional> <string> <string_view> <tuple> <vector>)
set(VANTREL_PCH_QTCORE ${VANTREL_PCH_STD} <QDateTime> <QDir> <QFile> <QFileInfo> <QList>
    <QObject> <QPointer> <QString> <QStringList> <QTimer> <QVariant>)
set(VANTREL_PCH_QTSTORE ${VANTREL_PCH_QTCORE} <QNetworkAccessManager> <QNetworkReply>
    <QSqlDatabase> <QSqlQuery>)
set(VANTREL_PCH_WIDGETS ${VANTREL_PCH_QTSTORE} <QAbstractButton> <QCheckBox> <QComboBox>
    <QDialog> <QHBoxLayout> <QHeaderView> <QLabel> <QLineEdit> <QPainter> <QPushButton>
    <QTableView> <QVBoxLayout> <QWidget>)
set(VANTREL_PCH_GTEST ${VANTREL_PCH_STD} <gtest/gtest.h>)
set(VANTREL_PCH_QTTEST ${VANTREL_PCH_QTSTORE} <QSignalSpy> <QTest>)
set(VANTREL_PCH_GUITEST ${VANTREL_PCH_WIDGETS} <QSignalSpy> <QTest>)

# vantrel_pch(<target> <list variable>): the target's own files share one precompiled header.
function(vantrel_pch target list)
    if(VANTREL_PCH)
        target_precompile_headers(${target} PRIVATE ${${list}})
    endif()
endfunction()

# vantrel_pch_holder(<holder> <list variable> LIBS <libs...>): a target that only makes the
# precompiled header that tests linking the same libraries reuse with vantrel_pch_reuse.
function(vantrel_pch_holder holder list)
    cmake_parse_arguments(H "" "" "LIBS" ${ARGN})
    if(NOT VANTREL_PCH)
        return()
    endif()
    # A program, as the tests are: a header made for a library's position-independent code
    # would not be taken by them.
    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${holder}.cpp CONTENT "int main() { return 0; }\n")
    add_executable(${holder} ${CMAKE_CURRENT_BINARY_DIR}/${holder}.cpp)
    target_link_libraries(${holder} PRIVATE ${H_LIBS} vantrel_options)
    target_compile_options(${holder} PRIVATE ${VANTREL_TEST_CXX_FLAGS})
    target_precompile_headers(${holder} PRIVATE ${${list}})
endfunction()

# A test includes its own moc output, so the file that automoc compiles for it is all but
# empty: loading a precompiled header there would cost more than it saves.
function(vantrel_pch_reuse target holder)
    if(VANTREL_PCH)
        target_precompile_headers(${target} REUSE_FROM ${holder})
        set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
            TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
endfunction()
