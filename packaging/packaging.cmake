# Installing the game like any desktop program (`cmake --install`, with DESTDIR staging),
# and the Debian package CPack makes from the same rules (`make package`).

include(GNUInstallDirs)

# Run once the whole tree is read, so that the editor is packaged wherever its target is made.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quillmoor_packaging)

function(quillmoor_packaging)
  set(QUILLMOOR_DATADIR ${CMAKE_INSTALL_FULL_DATADIR}/quillmoor)
  set(QUILLMOOR_VERSION ${PROJECT_VERSION})
  set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)
  set(packaging_out ${CMAKE_BINARY_DIR}/packaging)

  # The last place the game looks for its data, after ../share/quillmoor beside itself.
  target_compile_definitions(quillmoor PRIVATE QUILLMOOR_INSTALLED_DATA="${QUILLMOOR_DATADIR}")
  if(TARGET marlsmith)
    target_compile_definitions(marlsmith PRIVATE QUILLMOOR_INSTALLED_DATA="${QUILLMOOR_DATADIR}")
  endif()

  # Manual pages carry the version and the installed data directory; installed compressed,
  # as the desktop's man expects them.
  find_program(GZIP gzip REQUIRED)
  set(man_pages quillmoor)
  if(TARGET marlsmith)
    list(APPEND man_pages marlsmith)
  endif()
  set(compressed_docs)
  # The game plays the player's own fields only where the editor that makes them is built.
  set(QUILLMOOR_USER_FIELDS_FILES "")
  set(QUILLMOOR_USER_FIELDS_ENVIRONMENT "")
  if(TARGET marlsmith)
    file(READ ${packaging_dir}/user_fields_files.6.in QUILLMOOR_USER_FIELDS_FILES)
    file(READ ${packaging_dir}/user_fields_environment.6.in QUILLMOOR_USER_FIELDS_ENVIRONMENT)
  endif()
  foreach(page IN LISTS man_pages)
    configure_file(${packaging_dir}/${page}.6 ${packaging_out}/${page}.6 @ONLY)
    add_custom_command(
      OUTPUT ${packaging_out}/${page}.6.gz
      COMMAND ${GZIP} -9nf -k ${packaging_out}/${page}.6
      DEPENDS ${packaging_out}/${page}.6)
    list(APPEND compressed_docs ${packaging_out}/${page}.6.gz)
  endforeach()
  add_custom_command(
    OUTPUT ${packaging_out}/changelog.gz
    COMMAND ${GZIP} -9nc ${packaging_dir}/changelog > ${packaging_out}/changelog.gz
    DEPENDS ${packaging_dir}/changelog)
  add_custom_target(quillmoor_docs ALL DEPENDS ${compressed_docs} ${packaging_out}/changelog.gz)

  # Everything the install rules take, so the package's build makes no tests or benchmarks.
  add_custom_target(quillmoor_installed)
  add_dependencies(quillmoor_installed quillmoor quillmoor_data quillmoor_docs)
  if(TARGET marlsmith)
    add_dependencies(quillmoor_installed marlsmith)
  endif()

  install(TARGETS quillmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The generated data is one folder, read only once installed; the editor's window icon goes
  # with the editor.
  set(editor_files)
  if(NOT TARGET marlsmith)
    set(editor_files PATTERN marlsmith* EXCLUDE)
  endif()
  install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmoor
          ${editor_files})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
          ${editor_files})
  install(FILES ${packaging_dir}/org.quillmoor.Quillmoor.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging_dir}/org.quillmoor.Quillmoor.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${compressed_docs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${packaging_dir}/copyright ${packaging_out}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmoor)
  # What lintian would otherwise ask about, each with its reason; only a package for /usr
  # carries it.
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    install(FILES ${packaging_dir}/lintian-overrides DESTINATION share/lintian/overrides
            RENAME quillmoor)
  endif()
  if(TARGET marlsmith)
    install(TARGETS marlsmith RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${packaging_dir}/org.quillmoor.Marlsmith.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  endif()

  # An installed copy, run from where it landed, finds its data and passes the desktop's
  # validators.
  add_test(NAME installed_game
           COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check_installed_game.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_SOURCE_DIR}/tests/install/installed_game.script)
  set_tests_properties(installed_game PROPERTIES LABELS install)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME quillmoor)
  set(CPACK_PACKAGE_VENDOR "The Quillmoor developers")
  set(CPACK_PACKAGE_CONTACT "The Quillmoor developers <developers@quillmoor.org>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clay-target shooting game")
  string(CONCAT CPACK_PACKAGE_DESCRIPTION
         "Up to four named shooters, each with their own options, shoot singles\n"
         "and pairs of clay targets thrown by the traps of five fields: practise\n"
         "on one field, or shoot a tournament over all five. Lifetime scores earn\n"
         "class ratings from AA to D, and score sheets print on the system printer.")
  if(TARGET marlsmith)
    string(APPEND CPACK_PACKAGE_DESCRIPTION
           "\n.\nThe field editor marlsmith lays out the traps of a field and shows\n"
           "every clay's flight before saving; the game plays the player's fields.")
  endif()
  set(CPACK_PACKAGE_INSTALL_DIRECTORY quillmoor)
  set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillmoor.org/)
  # Library dependencies are read from the executables; the fonts are opened by file name, so
  # no library pulls them in.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS cups)
  include(CPack)
endfunction()
