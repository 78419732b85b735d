# Warnings for our own targets only; third-party headers come in as system includes. They are errors where the
# project's own scripts and CI build (VORLIX_WERROR=ON); a packager's plain build with another compiler only warns.
option(VORLIX_WERROR "Treat warnings of the project's own code as errors" OFF)

function(vorlix_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8 $<$<BOOL:${VORLIX_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic
      -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
      -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
      $<$<BOOL:${VORLIX_WERROR}>:-Werror>)
  endif()
endfunction()
