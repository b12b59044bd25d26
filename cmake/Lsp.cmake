# Serveur de langage tramelo-lsp (src/lsp) : un coeur sans entree-sortie, que les tests et le
# fuzzer pilotent, et le programme qui le branche sur stdin/stdout. JSON : nlohmann-json3-dev.
option(TRAMELO_LSP "Construire le serveur de langage tramelo-lsp" ON)

if(TRAMELO_LSP)
  find_package(nlohmann_json 3.10 QUIET)
  if(NOT nlohmann_json_FOUND)
    message(WARNING "nlohmann_json introuvable (paquet nlohmann-json3-dev) : tramelo-lsp n'est pas construit")
    set(TRAMELO_LSP OFF)
  endif()
endif()

if(TRAMELO_LSP)
  file(GLOB TRAMELO_LSP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/lsp/*.cpp)
  list(REMOVE_ITEM TRAMELO_LSP_SOURCES ${CMAKE_SOURCE_DIR}/src/lsp/main.cpp)
  add_library(tramelo_lsp_coeur STATIC ${TRAMELO_LSP_SOURCES})
  target_link_libraries(tramelo_lsp_coeur PUBLIC tramelo_lib nlohmann_json::nlohmann_json)
  target_compile_definitions(tramelo_lsp_coeur PUBLIC TRAMELO_VERSION="${PROJECT_VERSION}")

  add_executable(tramelo-lsp ${CMAKE_SOURCE_DIR}/src/lsp/main.cpp)
  target_link_libraries(tramelo-lsp PRIVATE tramelo_lsp_coeur)
  include(GNUInstallDirs)
  install(TARGETS tramelo-lsp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # Cible libFuzzer du serveur : un flux d'octets decoupe en messages (preset fuzz).
  if(TRAMELO_FUZZ)
    add_executable(fuzz_lsp ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_lsp.cpp)
    target_link_libraries(fuzz_lsp PRIVATE tramelo_lsp_coeur)
    target_link_options(fuzz_lsp PRIVATE -fsanitize=fuzzer)
  endif()
endif()
