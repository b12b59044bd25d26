# Cible de fuzzing : bibliotheque et cible instrumentees (couverture libFuzzer, ASan, UBSan).
# Seulement avec clang et TRAMELO_FUZZ=ON (preset fuzz).
option(TRAMELO_FUZZ "Construire la cible libFuzzer (clang)" OFF)

if(TRAMELO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TRAMELO_FUZZ demande clang++ (preset fuzz)")
  endif()
  set(TRAMELO_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # Tout ce qui lie la bibliotheque herite des sanitizers ; seule la cible lie libFuzzer.
  target_compile_options(tramelo_lib PUBLIC ${TRAMELO_SANITIZERS} -fsanitize=fuzzer-no-link)
  target_link_options(tramelo_lib PUBLIC ${TRAMELO_SANITIZERS})

  add_executable(fuzz_tramelo ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_tramelo.cpp)
  target_link_libraries(fuzz_tramelo PRIVATE tramelo_lib)
  target_link_options(fuzz_tramelo PRIVATE -fsanitize=fuzzer)
endif()
