# Compiler settings shared by every target of the project.
add_library(velmora_options INTERFACE)
target_compile_features(velmora_options INTERFACE cxx_std_20)
target_compile_options(velmora_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                 -Wno-sign-conversion)
if(WIN32)
  # Unicode Win32 API, no min/max macros, Windows 10 headers.
  target_compile_definitions(velmora_options INTERFACE UNICODE _UNICODE NOMINMAX
                                                       WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00)
  # A bare Windows has no mingw runtime DLLs: link them in.
  target_link_options(velmora_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
if(VELMORA_SANITIZE)
  target_compile_options(velmora_options INTERFACE -fsanitize=address,undefined
                                                   -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(velmora_options INTERFACE -fsanitize=address,undefined)
endif()

# velmora_instrument_for_fuzzing(TARGET): in the fuzz build, the target's code gives the fuzzers
# coverage and runs under the sanitizers; elsewhere it is left as it is.
function(velmora_instrument_for_fuzzing target)
  if(VELMORA_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  endif()
endfunction()

# velmora_add_fuzzer(ENTRY FUZZER SOURCE): a libFuzzer target over a fuzz entry library, which the
# seed replay among the tests links as it is; only the fuzz build instruments it.
function(velmora_add_fuzzer entry fuzzer source)
  if(NOT VELMORA_FUZZ)
    return()
  endif()
  velmora_instrument_for_fuzzing(${entry})
  add_executable(${fuzzer} ${source})
  target_compile_options(${fuzzer} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${fuzzer} PRIVATE ${entry})
endfunction()
