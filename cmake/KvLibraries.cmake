# How the project's libraries are made, and the rules that keep computation
# apart from the window system and every folder off the floors above it.

# Adds a library made of every source in DIR (not its subfolders; main.cpp
# excluded). Libraries named *_core must link no Qt: kv_check_core_libraries()
# enforces it once every library is declared.
function(kv_library name dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  set(cpps ${srcs})
  list(FILTER cpps INCLUDE REGEX "\\.cpp$")
  if(cpps)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
  set_property(GLOBAL APPEND PROPERTY KV_LIBRARIES ${name})
endfunction()

# Fails the configuration when a *_core library reaches a Qt target, directly
# or through the libraries it links.
function(kv_check_core_libraries)
  get_property(libraries GLOBAL PROPERTY KV_LIBRARIES)
  foreach(lib IN LISTS libraries)
    if(NOT lib MATCHES "_core$")
      continue()
    endif()
    set(seen "")
    set(queue ${lib})
    while(queue)
      list(POP_FRONT queue t)
      if(t IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${t})
      if(t MATCHES "^Qt[0-9]*::")
        message(FATAL_ERROR "${lib} links ${t}: a *_core library must not link Qt")
      endif()
      if(NOT TARGET ${t})
        continue()
      endif()
      get_target_property(links ${t} INTERFACE_LINK_LIBRARIES)
      if(links)
        list(APPEND queue ${links})
      endif()
      get_target_property(type ${t} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${t} LINK_LIBRARIES)
        if(links)
          list(APPEND queue ${links})
        endif()
      endif()
    endwhile()
  endforeach()
endfunction()

# The floors, from the bottom up. A source of one floor includes project
# headers of its own floor or of floors below it, never of one above.
set(KV_FLOORS platform kit frame "attitude|fold|strain|zelquad" app)

# The folder of the floor a project path ("kit/core/x.h") lies on, or -1 when
# the path is not in one of the floors (a system or library header).
function(kv_floor_of path out)
  set(floor 0)
  foreach(folders IN LISTS KV_FLOORS)
    if(path MATCHES "^(${folders})/")
      set(${out} ${floor} PARENT_SCOPE)
      return()
    endif()
    math(EXPR floor "${floor} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

# Fails the configuration when a source includes a header of a floor above its
# own, or when a Qt-free folder (platform/text, platform/draw, kit/core and each
# subsystem's core/) includes a header of a folder that isn't Qt-free. The
# sources are those under ROOT when given, else under the project's folder.
function(kv_check_layers)
  set(root ${PROJECT_SOURCE_DIR})
  if(ARGC GREATER 0)
    set(root ${ARGV0})
  endif()
  set(qtFree "^(platform/text|platform/draw|[a-z]+/core)/")
  file(GLOB_RECURSE sources RELATIVE ${root} CONFIGURE_DEPENDS
       ${root}/platform/*.h ${root}/platform/*.cpp ${root}/kit/*.h ${root}/kit/*.cpp
       ${root}/frame/*.h ${root}/frame/*.cpp ${root}/attitude/*.h ${root}/attitude/*.cpp
       ${root}/fold/*.h ${root}/fold/*.cpp ${root}/strain/*.h ${root}/strain/*.cpp
       ${root}/zelquad/*.h ${root}/zelquad/*.cpp ${root}/app/*.h ${root}/app/*.cpp)
  set(faults "")
  foreach(source IN LISTS sources)
    kv_floor_of(${source} floor)
    file(STRINGS ${root}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
      kv_floor_of(${header} headerFloor)
      if(headerFloor GREATER floor)
        list(APPEND faults "${source} includes ${header}, a floor above its own")
      elseif(source MATCHES "${qtFree}" AND headerFloor GREATER -1 AND NOT header MATCHES "${qtFree}")
        list(APPEND faults "${source} includes ${header}, which is not Qt-free")
      endif()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Folders reach above their floor:\n  ${text}")
  endif()
endfunction()
