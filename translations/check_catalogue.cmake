# Runs lupdate over a copy of the catalogue and fails when a source text has no finished English
# entry, when the catalogue keeps a text no source has any more, or when the copy differs at all
# (the catalogue in the repository is not what lupdate makes of the sources).
include(${CMAKE_CURRENT_LIST_DIR}/sources.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(copy "${WORK_DIR}/zqsuite_en.ts")
file(COPY_FILE "${TS_FILE}" "${copy}")
execute_process(COMMAND "${LUPDATE}" ${ZQ_TS_SOURCES} ${ZQ_TS_OPTIONS} -ts "${copy}"
                WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()
file(STRINGS "${copy}" unfinished REGEX "type=\"unfinished\"")
file(STRINGS "${copy}" lost REGEX "type=\"(vanished|obsolete)\"")
list(LENGTH unfinished unfinished_count)
list(LENGTH lost lost_count)
if(unfinished_count GREATER 0 OR lost_count GREATER 0)
  message(FATAL_ERROR "${unfinished_count} text(s) without a finished English translation and ${lost_count} "
                      "no longer in the sources; see ${copy} (scripts/update-translations.sh updates the catalogue)")
endif()
file(READ "${TS_FILE}" kept)
file(READ "${copy}" made)
if(NOT kept STREQUAL made)
  message(FATAL_ERROR "translations/zqsuite_en.ts is not what lupdate makes of the sources (compare with ${copy})")
endif()
