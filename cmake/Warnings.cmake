# Warnings for our own targets; third-party headers come in as system headers.
function(tintora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wnon-virtual-dtor -Woverloaded-virtual -Wconversion
                         -Wno-sign-conversion)
endfunction()
