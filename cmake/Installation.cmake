# Outils autour du traducteur (tramelo-exec), pages de manuel, completion bash, fichiers des
# editeurs, installation complete et paquet .deb.

include(GNUInstallDirs)

# Dossiers crees a l'installation et dans le paquet en 755 quel que soit le umask de celui qui
# installe (sous umask 077 ils seraient en 700, illisibles pour les autres utilisateurs). Les
# fichiers ont deja des droits fixes par install() : 644, et 755 pour les programmes.
set(TRAMELO_DROITS_DOSSIERS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                            WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${TRAMELO_DROITS_DOSSIERS})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${TRAMELO_DROITS_DOSSIERS})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DroitsPaquet.cmake)
# CMake 3.25 cree pourtant les dossiers intermediaires (bin, share/man...) sous le umask : ceux
# qui n'existaient pas avant l'installation sont remis en 755 a la fin (les dossiers deja la,
# comme /usr/local/bin en 2775 sous Debian, ne sont pas touches). Premiere regle : les noter.
set(TRAMELO_DESTINATIONS ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_MANDIR}/man1
    ${CMAKE_INSTALL_DATADIR}/bash-completion/completions ${CMAKE_INSTALL_DATADIR}/tramelo
    ${CMAKE_INSTALL_DATADIR}/tramelo/gdb ${CMAKE_INSTALL_DATADIR}/doc/tramelo/exemples)
install(CODE "set(TRAMELO_DESTINATIONS \"${TRAMELO_DESTINATIONS}\")")
install(CODE [[
  set(TRAMELO_DOSSIERS_NOUVEAUX)
  foreach(destination IN LISTS TRAMELO_DESTINATIONS)
    if(IS_ABSOLUTE "${destination}")
      set(dossier "$ENV{DESTDIR}${destination}")
    else()
      set(dossier "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${destination}")
    endif()
    while(NOT EXISTS "${dossier}")
      list(APPEND TRAMELO_DOSSIERS_NOUVEAUX "${dossier}")
      get_filename_component(dossier "${dossier}" DIRECTORY)
    endwhile()
  endforeach()
]])

# tramelo-exec : verification, traduction (profil verifie), compilation ou interpretation,
# execution, pas a pas (sous gdb ou interprete) et debogage sous gdb. Ses scripts gdb (outils/gdb) sont cherches a cote de lui : dans gdb/ de la
# construction, dans share/tramelo/gdb une fois installe.
# Les etapes de tramelo-exec (traduire, compiler, executer sous limites, tester) ; tramelo-noter
# les reprend.
add_library(tramelo_exec_etapes STATIC
  src/frontaux/exec/Chemins.cpp
  src/frontaux/exec/Compilation.cpp
  src/frontaux/exec/Correction.cpp
  src/frontaux/exec/Deboguer.cpp
  src/frontaux/exec/Execution.cpp
  src/frontaux/exec/Gdb.cpp
  src/frontaux/exec/Interpretation.cpp
  src/frontaux/exec/LigneCommande.cpp
  src/frontaux/exec/PasAPas.cpp
  src/frontaux/exec/Precompile.cpp
  src/frontaux/exec/Processus.cpp
  src/frontaux/exec/Sorties.cpp
  src/frontaux/exec/Statuts.cpp
  src/frontaux/exec/Tester.cpp
  src/frontaux/exec/Traduction.cpp
  src/frontaux/exec/Travail.cpp)
target_link_libraries(tramelo_exec_etapes PUBLIC tramelo_lib)
add_executable(tramelo-exec src/frontaux/exec/main.cpp)
target_link_libraries(tramelo-exec PRIVATE tramelo_exec_etapes)
set(TRAMELO_SCRIPTS_GDB ${CMAKE_SOURCE_DIR}/outils/gdb/pas_a_pas.py ${CMAKE_SOURCE_DIR}/outils/gdb/deboguer.py)
foreach(script ${TRAMELO_SCRIPTS_GDB})
  get_filename_component(nom ${script} NAME)
  configure_file(${script} ${CMAKE_BINARY_DIR}/gdb/${nom} COPYONLY)
endforeach()
install(FILES ${TRAMELO_SCRIPTS_GDB} DESTINATION ${CMAKE_INSTALL_DATADIR}/tramelo/gdb)

install(TARGETS Tramelo tramelo-verifier tramelo-exec RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tramelo-organigramme RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# tramelo-noter : notation des copies d'un exercice (rapport JSON avec nlohmann-json : sans lui,
# l'outil n'est pas construit).
if(nlohmann_json_FOUND)
  add_executable(tramelo-noter
    src/frontaux/noter/Copies.cpp
    src/frontaux/noter/Lien.cpp
    src/frontaux/noter/Notation.cpp
    src/frontaux/noter/Rapports.cpp
    src/frontaux/noter/main.cpp)
  target_link_libraries(tramelo-noter PRIVATE tramelo_exec_etapes nlohmann_json::nlohmann_json)
  install(TARGETS tramelo-noter RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Pages de manuel compressees comme Debian les attend (gzip -9n : sans nom ni date, donc
# reproductibles).
find_program(TRAMELO_GZIP gzip)
set(TRAMELO_PAGES_MANUEL Tramelo tramelo-exec tramelo-verifier tramelo-organigramme)
if(nlohmann_json_FOUND)   # tramelo-lsp et tramelo-noter ne sont construits qu'avec nlohmann-json
  list(APPEND TRAMELO_PAGES_MANUEL tramelo-lsp tramelo-noter)
endif()
set(TRAMELO_PAGES_PRODUITES)
foreach(page ${TRAMELO_PAGES_MANUEL})
  set(source_page ${CMAKE_SOURCE_DIR}/man/${page}.1)
  if(TRAMELO_GZIP)
    set(page_gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${page_gz}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${TRAMELO_GZIP} -9n -c ${source_page} > ${page_gz}
      DEPENDS ${source_page}
      COMMENT "Compression de la page de manuel ${page}.1"
      VERBATIM)
    list(APPEND TRAMELO_PAGES_PRODUITES ${page_gz})
  else()
    list(APPEND TRAMELO_PAGES_PRODUITES ${source_page})
  endif()
endforeach()
add_custom_target(tramelo_pages_manuel ALL DEPENDS ${TRAMELO_PAGES_PRODUITES})
install(FILES ${TRAMELO_PAGES_PRODUITES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Completion bash : chargee a la demande par bash-completion, un fichier par commande.
set(TRAMELO_COMMANDES_COMPLETEES Tramelo tramelo-exec tramelo-verifier tramelo-organigramme)
if(TARGET tramelo-noter)
  list(APPEND TRAMELO_COMMANDES_COMPLETEES tramelo-noter)
endif()
foreach(commande ${TRAMELO_COMMANDES_COMPLETEES})
  install(FILES ${CMAKE_SOURCE_DIR}/outils/completion.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME ${commande})
endforeach()

# Fichiers des editeurs et exemples.
# (Le dossier vscode sans ce qui sert a construire le .vsix, installe a part par Lsp.cmake.)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/editeurs/vim ${CMAKE_SOURCE_DIR}/editeurs/vscode
                  ${CMAKE_SOURCE_DIR}/editeurs/nvim
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tramelo
        PATTERN node_modules EXCLUDE PATTERN dist EXCLUDE PATTERN "*.vsix" EXCLUDE
        PATTERN src EXCLUDE PATTERN package-lock.json EXCLUDE PATTERN empaqueter.sh EXCLUDE
        PATTERN .vscodeignore EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/exemples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tramelo/exemples
        FILES_MATCHING PATTERN "*.algo")

# Derniere regle : les dossiers crees par cette installation remis en 755. chmod symbolique
# plutot que file(CHMOD) : il garde le bit setgid herite d'un parent comme /usr/local/share.
install(CODE [[
  foreach(dossier IN LISTS TRAMELO_DOSSIERS_NOUVEAUX)
    if(IS_DIRECTORY "${dossier}")
      execute_process(COMMAND chmod u=rwx,go=rx "${dossier}" RESULT_VARIABLE statut)
      if(NOT statut EQUAL 0)
        message(FATAL_ERROR "Droits de ${dossier} impossibles a fixer (chmod : ${statut})")
      endif()
    endif()
  endforeach()
]])

# Paquet Debian (preset de paquet "deb").
set(TRAMELO_MAINTENEUR "Equipe Tramelo <tramelo@localhost>" CACHE STRING
    "Mainteneur inscrit dans le paquet .deb")
set(CPACK_PACKAGE_NAME tramelo)
set(CPACK_PACKAGE_VENDOR "Tramelo")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TRAMELO_MAINTENEUR})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "traducteur d'algorithmes en pseudo-langage français vers C++")
set(CPACK_PACKAGE_DESCRIPTION
    "Tramelo lit un algorithme écrit dans un pseudo-langage français (procédures,
fonctions, tableaux, chaînes, boucles) et écrit le programme C++17 équivalent.
Chaque erreur est signalée par un message en français avec son numéro de
ligne. La commande tramelo-exec traduit, compile et exécute un algorithme en
une seule fois. Le paquet fournit aussi les pages de manuel, la complétion
bash et la coloration syntaxique pour Vim et Visual Studio Code.")
if(nlohmann_json_FOUND)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "
Le serveur de langage tramelo-lsp donne les diagnostics pendant la frappe
dans Neovim, Vim et Visual Studio Code.")
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TRAMELO_MAINTENEUR})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# tramelo-exec compile le C++ produit ; les bibliotheques de Tramelo sont calculees.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "g++")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/;/node_modules/")
include(CPack)
