# The Debian package: `cpack` in the build folder writes lexoria_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexoria)
set(CPACK_PACKAGE_VENDOR "software VELARIA")
set(CPACK_PACKAGE_CONTACT "software VELARIA <assistenza@velaria.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "massime di giurisprudenza sull'edilizia")
set(CPACK_PACKAGE_DESCRIPTION "\
Lexoria raccoglie 2051 massime di giurisprudenza in materia di edilizia e di
proprietà immobiliare, in sette archivi di argomenti numerati: condominio,
edilizia, urbanistica, espropriazioni, professionisti, enti e imprese.
Si sceglie un archivio e un argomento e se ne scorrono le massime, che si
possono stampare con LibreOffice Writer o con la finestra dei documenti del
programma.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.velaria.example/")
# The libraries the program links (Qt, Xapian) are found by dpkg-shlibdeps; the
# rest is what it loads or reads at run time: FluidSynth (opened when the music
# starts), the General MIDI soundfont, the fonts its windows and documents are
# drawn in, Qt's Italian translations and platform plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
  libfluidsynth3 timgm6mb-soundfont
  fonts-urw-base35 fonts-liberation2 fonts-comic-neue fonts-croscore fonts-dejavu-core
  qt6-translations-l10n qt6-qpa-plugins)
# Printed documents open in LibreOffice Writer where it is installed; the desktop's
# open action (xdg-utils) finds the handler of .odt files and opens web addresses.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer, xdg-utils")
include(CPack)
