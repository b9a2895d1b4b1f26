# The test hooks' headers (framework/TestHooks.h, app/TestHooks.h) stay out of the program: of the
# sources of the framework, the platform layer, the plug-in and the program, only the files that
# keep a hook's state include them. Run as `cmake -DROOT=<source folder> -P TestHooksIncluded.cmake`.
cmake_minimum_required(VERSION 3.25)
set(keepers
    app/TolvaneVrek.cpp
    framework/Dialogs.cpp
    framework/MessageDialog.cpp
    framework/PluginHost.cpp
    framework/Runtime.cpp
    framework/qt/HTTPSocketBridge.cpp
    framework/qt/PrintDialog.cpp)
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/app/* ${ROOT}/framework/* ${ROOT}/help/* ${ROOT}/update/*
     ${ROOT}/platform/* ${ROOT}/plugin/* ${ROOT}/builders/*)
set(strays)
set(looked 0)
foreach(source IN LISTS sources)
    if(source IN_LIST keepers OR NOT source MATCHES "\\.(c|cpp|h|in)$")
        continue()
    endif()
    math(EXPR looked "${looked} + 1")
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<].*TestHooks\\.h[\">]")
    if(includes)
        list(APPEND strays ${source})
    endif()
endforeach()
if(strays)
    list(JOIN strays "\n  " listed)
    message(FATAL_ERROR "A test hooks header is included outside the tests:\n  ${listed}")
endif()
# A wrong ROOT finds nothing, and nothing found would pass.
if(looked EQUAL 0)
    message(FATAL_ERROR "No sources under ${ROOT}")
endif()
message(STATUS "${looked} sources looked at; none includes a test hooks header")
