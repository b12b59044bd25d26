# Version WebAssembly (preset wasm, emscripten de Debian) : la bibliotheque en un seul fichier
# JavaScript (wasm inclus), la commande tramelo-wasm.mjs qui se comporte comme Tramelo, et la
# page web autonome de web/, installee dans share/tramelo/web/.

# L'emscripten de Debian cherche ses modules node (acorn...) dans le dossier de Debian.
set(TRAMELO_NODE_PATH /usr/share/nodejs CACHE PATH "Modules node dont emscripten a besoin")
find_program(TRAMELO_NODE node REQUIRED)

# Le module : une fabrique CommonJS (MODULARIZE) ; ni systeme de fichiers ni sortie standard.
add_executable(tramelo_wasm ${CMAKE_SOURCE_DIR}/src/frontaux/web/Liaison.cpp)

# Exceptions de WebAssembly plutot qu'emulees par JavaScript : emulees, chaque essai du
# traducteur passe par une fonction JavaScript, et la recursion d'un source tres imbrique
# epuise la pile d'un Web Worker (plus petite que celle de la page) bien avant la borne
# d'imbrication du traducteur.
foreach(cible tramelo_lib tramelo_wasm)
  get_target_property(options ${cible} COMPILE_OPTIONS)
  list(TRANSFORM options REPLACE "^-fexceptions$" "-fwasm-exceptions")
  set_target_properties(${cible} PROPERTIES COMPILE_OPTIONS "${options}")
endforeach()
target_link_libraries(tramelo_wasm PRIVATE tramelo_lib)
set_target_properties(tramelo_wasm PROPERTIES
  OUTPUT_NAME tramelo-module SUFFIX .cjs
  CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=${TRAMELO_NODE_PATH}")
target_link_options(tramelo_wasm PRIVATE
  --bind -fwasm-exceptions --oformat=js
  -sMODULARIZE=1 -sEXPORT_NAME=creerModuleTramelo -sSINGLE_FILE=1 -sENVIRONMENT=web,worker,node
  -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB -sTOTAL_STACK=8MB)

# tramelo-wasm.mjs, a cote du module qu'il charge.
set(TRAMELO_WASM_COMMANDE ${CMAKE_BINARY_DIR}/tramelo-wasm.mjs)
configure_file(${CMAKE_SOURCE_DIR}/web/tramelo-wasm.mjs ${TRAMELO_WASM_COMMANDE} COPYONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                   WORLD_READ WORLD_EXECUTE)

# Le Tramelo natif auquel le test de la page compare le C++ (facultatif : sinon les attendus).
set(TRAMELO_NATIF "" CACHE FILEPATH "Tramelo natif pour le test de la page")

# La page : assemblee par esbuild (modules npm de web/, "npm ci" dans ce dossier).
option(TRAMELO_PAGE_WEB "Construire la page web (modules npm de web/)" ON)
if(TRAMELO_PAGE_WEB)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/web/node_modules/esbuild)
    message(FATAL_ERROR "Modules npm de la page absents : lancer « npm ci » dans "
                        "${CMAKE_SOURCE_DIR}/web (ou configurer avec -DTRAMELO_PAGE_WEB=OFF)")
  endif()
  set(TRAMELO_PAGE ${CMAKE_BINARY_DIR}/web)
  file(GLOB sources_page CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/src/*
       ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_SOURCE_DIR}/web/style.css)
  file(GLOB exemples_page CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/exemples/*.algo)
  add_custom_command(
    OUTPUT ${TRAMELO_PAGE}/index.html ${TRAMELO_PAGE}/tramelo-web.js ${TRAMELO_PAGE}/style.css
    COMMAND ${TRAMELO_NODE} ${CMAKE_SOURCE_DIR}/web/construire.mjs
            --module $<TARGET_FILE:tramelo_wasm> --exemples ${CMAKE_SOURCE_DIR}/exemples
            --sortie ${TRAMELO_PAGE}
    DEPENDS tramelo_wasm ${CMAKE_SOURCE_DIR}/web/construire.mjs ${sources_page} ${exemples_page}
            ${CMAKE_SOURCE_DIR}/web/package-lock.json
    COMMENT "Assemblage de la page web"
    VERBATIM)
  add_custom_target(tramelo_page ALL DEPENDS ${TRAMELO_PAGE}/index.html)
  install(DIRECTORY ${TRAMELO_PAGE}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tramelo/web)
endif()
