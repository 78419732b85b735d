# The version block that every executable of the build carries in its ".vs_version_info" section.
# Its numbers come from project(VERSION) and VORLIX_PRODUCT_VERSION in the root CMakeLists.txt.

set(VORLIX_VERSION_STRINGS
  "ProductVersion=${VORLIX_PRODUCT_VERSION}"
  "FileVersion=${PROJECT_VERSION}"
  "FileDescription=网络测量工具"
  "LegalCopyright=Copyright © 2026 Quarl. All rights reserved."
  "LegalTrademarks=Vorlix is a trademark of Quarl."
  "ProductName=Vorlix"
  "CompanyName=Quarl")

# Executables that must not carry the block (the tool that makes it).
set(VORLIX_VERSION_BLOCK_EXEMPT make_version_block)

# Generates the block's source with the host tool and wraps it in an object library.
function(vorlix_add_version_block)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/VorlixVersionBlock.cpp)
  add_custom_command(
    OUTPUT ${source}
    COMMAND make_version_block ${source} ${PROJECT_VERSION} ${VORLIX_PRODUCT_VERSION} ${VORLIX_VERSION_STRINGS}
    DEPENDS make_version_block ${PROJECT_SOURCE_DIR}/cmake/VorlixVersionBlock.cmake
    COMMENT "Writing the version block ${PROJECT_VERSION} / ${VORLIX_PRODUCT_VERSION}"
    VERBATIM)
  add_library(vorlix_version_block OBJECT ${source})
  # The section must hold the block's bytes alone: no sanitizer red zones around it.
  target_compile_options(vorlix_version_block PRIVATE -fno-sanitize=all)
endfunction()

function(vorlix_embed_version_block target)
  target_link_libraries(${target} PRIVATE vorlix_version_block)
endfunction()

function(_vorlix_executables_below directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  set(found)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _vorlix_executables_below(${subdirectory} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Called once at the end of the root CMakeLists.txt, so no executable can be forgotten.
function(vorlix_embed_version_block_in_all_executables)
  _vorlix_executables_below(${PROJECT_SOURCE_DIR} executables)
  foreach(target IN LISTS executables)
    if(NOT target IN_LIST VORLIX_VERSION_BLOCK_EXEMPT)
      vorlix_embed_version_block(${target})
    endif()
  endforeach()
endfunction()
