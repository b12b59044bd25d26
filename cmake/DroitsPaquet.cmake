# Lance par cpack (CPACK_PRE_BUILD_SCRIPTS) sur l'arborescence a empaqueter, avant l'archive :
# tous ses dossiers en 755, car cpack cree lui-meme usr/ sous le umask de celui qui construit.
if(NOT IS_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}")
  message(FATAL_ERROR "Dossier a empaqueter introuvable : ${CPACK_TEMPORARY_DIRECTORY}")
endif()
file(GLOB_RECURSE entrees LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
set(dossiers "${CPACK_TEMPORARY_DIRECTORY}")
foreach(entree IN LISTS entrees)
  if(IS_DIRECTORY "${entree}" AND NOT IS_SYMLINK "${entree}")
    list(APPEND dossiers "${entree}")
  endif()
endforeach()
file(CHMOD ${dossiers} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
           GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
