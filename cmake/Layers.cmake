# One CMake library per layer; the sources of a layer are the .cpp files of
# its folders, so a new unit needs no change here.
function(cfg_glob_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp"
         "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h"
         "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc")
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# cfg_add_layer(name DIRS dir... DEPENDS target... [PCH header...])
function(cfg_add_layer name)
  cmake_parse_arguments(L "" "" "DIRS;DEPENDS;PCH" ${ARGN})
  cfg_glob_sources(sources ${L_DIRS})
  list(FILTER sources INCLUDE REGEX "\\.(cpp|qrc)$")
  if(NOT sources)
    # A layer whose units have not landed yet still links for its users.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} INTERFACE ${L_DEPENDS})
    return()
  endif()
  cfg_glob_sources(all ${L_DIRS})
  add_library(${name} STATIC ${all})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${L_DEPENDS})
  if(L_PCH)
    target_precompile_headers(${name} PRIVATE ${L_PCH})
  endif()
endfunction()
