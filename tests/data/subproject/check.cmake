# Configures the embedding project in BUILD_DIR and builds what stood on the top folder's paths
# (the include check and the sample database): cheap, where building the whole program would be a
# third full build. The embedded Morvel must leave its tests off.
#   cmake -DMORVEL_SOURCE=... -DBUILD_DIR=... -DGENERATOR=... -DCOMPILER=... [-DLAUNCHER=...] -P check.cmake
file(REMOVE_RECURSE ${BUILD_DIR})
set(launcher)
if(LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${BUILD_DIR} -G ${GENERATOR}
          -DCMAKE_CXX_COMPILER=${COMPILER} -DMORVEL_SOURCE=${MORVEL_SOURCE} ${launcher}
  RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "the embedding project does not configure")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target morvel_layers sample_db
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "the embedded Morvel's include check or sample database does not build")
endif()
if(NOT EXISTS ${BUILD_DIR}/morvel/ncodes.mdb)
  message(FATAL_ERROR "the sample database is not in the embedded Morvel's build folder")
endif()
load_cache(${BUILD_DIR} READ_WITH_PREFIX embedded_ MORVEL_TESTS)
if(embedded_MORVEL_TESTS)
  message(FATAL_ERROR "an embedded Morvel builds its tests by default")
endif()
file(REMOVE_RECURSE ${BUILD_DIR})
