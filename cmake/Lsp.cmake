# Serveur de langage tramelo-lsp (src/frontaux/lsp) : un coeur sans entree-sortie, que les tests et le
# fuzzer pilotent, et le programme qui le branche sur stdin/stdout. JSON : nlohmann-json3-dev,
# cherche par CMakeLists.txt ; sans lui, seule l'extension VS Code est construite ici.
if(nlohmann_json_FOUND)
# Un fichier par service : aiguillage et cycle de vie (Serveur), documents et changements
# (Documents, Texte), diagnostics (Diagnostics, Analyse), survol, symboles, C++ produit,
# configuration, lecture des messages (Json, Trames). Les outils n'incluent de la bibliotheque
# que sa face publique (bibliotheque/Tramelo.h).
set(TRAMELO_LSP_SOURCES Analyse Configuration Diagnostics Documents Json Serveur Survol Symboles Texte
    Trames VoirCpp)
list(TRANSFORM TRAMELO_LSP_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/src/frontaux/lsp/)
list(TRANSFORM TRAMELO_LSP_SOURCES APPEND .cpp)
add_library(tramelo_lsp_coeur STATIC ${TRAMELO_LSP_SOURCES})
target_link_libraries(tramelo_lsp_coeur PUBLIC tramelo_lib nlohmann_json::nlohmann_json)
target_compile_definitions(tramelo_lsp_coeur PUBLIC TRAMELO_VERSION="${PROJECT_VERSION}")

# Banc du coeur (cout d'une modification incrementale), hors de la construction par defaut.
add_executable(tramelo-bench-lsp EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bench_lsp.cpp)
target_link_libraries(tramelo-bench-lsp PRIVATE tramelo_lsp_coeur)

add_executable(tramelo-lsp ${CMAKE_SOURCE_DIR}/src/frontaux/lsp/main.cpp)
target_link_libraries(tramelo-lsp PRIVATE tramelo_lsp_coeur)
install(TARGETS tramelo-lsp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Cible libFuzzer du serveur : un flux d'octets decoupe en messages (preset fuzz).
if(TRAMELO_FUZZ)
  add_executable(fuzz_lsp ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_lsp.cpp)
  target_link_libraries(fuzz_lsp PRIVATE tramelo_lsp_coeur)
  target_link_options(fuzz_lsp PRIVATE -fsanitize=fuzzer)
endif()
endif()

# Extension VS Code empaquetee (.vsix, avec le client du serveur de langage) : construite quand
# les modules npm de editeurs/vscode sont installes ("npm ci"), installee a cote de ses sources.
find_program(TRAMELO_NODE_VSIX node)
set(TRAMELO_DOSSIER_VSCODE ${CMAKE_SOURCE_DIR}/editeurs/vscode)
if(TRAMELO_NODE_VSIX AND EXISTS ${TRAMELO_DOSSIER_VSCODE}/node_modules/.bin/vsce)
  set(TRAMELO_VSIX ${CMAKE_BINARY_DIR}/editeurs/tramelo-algo-${PROJECT_VERSION}.vsix)
  file(GLOB TRAMELO_VSIX_SOURCES CONFIGURE_DEPENDS ${TRAMELO_DOSSIER_VSCODE}/src/*.js
       ${TRAMELO_DOSSIER_VSCODE}/syntaxes/*.json ${TRAMELO_DOSSIER_VSCODE}/*.json ${TRAMELO_DOSSIER_VSCODE}/*.md)
  add_custom_command(OUTPUT ${TRAMELO_VSIX}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/editeurs
    COMMAND sh ${TRAMELO_DOSSIER_VSCODE}/empaqueter.sh ${TRAMELO_VSIX}
    DEPENDS ${TRAMELO_VSIX_SOURCES} ${TRAMELO_DOSSIER_VSCODE}/empaqueter.sh
    COMMENT "Extension VS Code tramelo-algo-${PROJECT_VERSION}.vsix"
    VERBATIM)
  add_custom_target(tramelo_vsix ALL DEPENDS ${TRAMELO_VSIX})
  install(FILES ${TRAMELO_VSIX} DESTINATION ${CMAKE_INSTALL_DATADIR}/tramelo/vscode)
elseif(TRAMELO_NODE_VSIX)
  tramelo_manque("extension VS Code empaquetee (.vsix) et test editeurs/vsix : modules npm de editeurs/vscode absents (npm ci)")
else()
  tramelo_manque("extension VS Code empaquetee (.vsix) : node absent (paquets nodejs npm)" nodejs npm)
endif()
