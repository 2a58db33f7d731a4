# ostrel_module(<name> [DEPS <targets>...])
# One static library per subsystem folder, named ostrel_<name>, built from every
# .cpp file of the folder. Headers are included by path from the repository root
# ("core/object.h"). A folder without sources yet gives an interface target so
# that dependents link the same way before and after it fills.
function(ostrel_module name)
  cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target ostrel_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${M_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${M_DEPS})
  endif()
endfunction()
