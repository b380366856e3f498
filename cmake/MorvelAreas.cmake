# The one list of Morvel's source areas and their layers, read by the build, the tests and the
# include check (CheckLayers.cmake).
#
# Layers from the bottom up; an area includes only its own layer's headers and those below.
# "kinds" stands for every kind, and a kind never includes another kind.
set(MORVEL_KINDS vehicle biomech component crashavoid swg)
set(MORVEL_LAYERS platform common codes kinds app)
# Areas with a data core (src/<area>/*.cpp: QtCore only) and screens (src/<area>/ui/*.cpp).
# app is screens only: it assembles the kinds into the program.
set(MORVEL_AREAS platform common codes ${MORVEL_KINDS})
