# Module resources on platforms without a resource compiler: tintora_rcgen
# turns a resource script (dialog templates, bitmaps) into a C++ source that
# defines the module's exported ResourceTable (host/resources.h).
include_guard(GLOBAL)

set(TINTORA_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})

# The parser and writer, a library of their own so that tests can call them.
add_library(tintora_rcgen_lib STATIC
  ${TINTORA_RESOURCES_DIR}/rcgen/rc_emit.cpp
  ${TINTORA_RESOURCES_DIR}/rcgen/rc_parser.cpp
  ${TINTORA_RESOURCES_DIR}/rcgen/rc_symbols.cpp
  ${TINTORA_RESOURCES_DIR}/rcgen/rc_tokens.cpp)
target_include_directories(tintora_rcgen_lib PUBLIC ${CMAKE_SOURCE_DIR})
tintora_warnings(tintora_rcgen_lib)

add_executable(tintora_rcgen ${TINTORA_RESOURCES_DIR}/rcgen/main.cpp)
target_link_libraries(tintora_rcgen PRIVATE tintora_rcgen_lib)
tintora_warnings(tintora_rcgen)

# Redraws the about images; not part of the normal build, since the .bmp
# files are committed: cmake --build B --target tintora_about_images &&
# B/bin/tintora_about_images resources
add_executable(tintora_about_images EXCLUDE_FROM_ALL ${TINTORA_RESOURCES_DIR}/art/make_about_images.cpp)
tintora_warnings(tintora_about_images)

# tintora_add_resources(TARGET SCRIPT): compiles SCRIPT's resources into TARGET.
function(tintora_add_resources target script)
  get_filename_component(name ${script} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${name}_resources.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND tintora_rcgen ${script} ${out} ${out}.d
    DEPENDS tintora_rcgen ${script}
    DEPFILE ${out}.d
    COMMENT "Generating the resources of ${target} from ${name}.rc"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
