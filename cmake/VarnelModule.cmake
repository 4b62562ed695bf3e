# Helpers that keep the per-folder CMakeLists files to one line each.

find_package(Threads REQUIRED)

# varnel_core_module(<name> [DEPS <module>...] [LIBS <library>...])
# Builds every .cpp directly inside the calling folder (not its ui/ subfolder) into the static
# library varnel_<name>. Sources are globbed so a new file needs no CMake edit; a main.cpp is a
# program's and stays out. A folder without sources yet becomes an interface library, so
# dependents can already name it.
function(varnel_core_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(target varnel_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    set(scope INTERFACE)
  endif()
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(${target} ${scope} varnel_${dep})
  endforeach()
  target_link_libraries(${target} ${scope} Threads::Threads ${ARG_LIBS})
  set_property(GLOBAL APPEND PROPERTY VARNEL_CORE_MODULES ${target})
endfunction()

# varnel_ui_sources(<var>) collects the Qt sources of the calling folder's ui/ subfolder.
function(varnel_ui_sources var dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/ui/*.cpp ${dir}/ui/*.h)
  set(${var} ${sources} PARENT_SCOPE)
endfunction()
