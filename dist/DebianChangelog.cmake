# zorun_debian_changelog(FILE): the package's changelog entry for this
# version, dated ZORUN_RELEASE_DATE, in the form dpkg and lintian read.
function(zorun_debian_changelog file)
  if(NOT ZORUN_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "ZORUN_RELEASE_DATE must be YYYY-MM-DD, not '${ZORUN_RELEASE_DATE}'")
  endif()
  set(year_text ${CMAKE_MATCH_1})
  set(day_text ${CMAKE_MATCH_3})
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR month "${CMAKE_MATCH_2}")
  math(EXPR day "${CMAKE_MATCH_3}")
  # The day of the week (Sakamoto's method; 0 is Sunday).
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${index} month_name)
  set(date "${weekday_name}, ${day_text} ${month_name} ${year_text} 12:00:00 +0000")
  file(CONFIGURE OUTPUT ${file} CONTENT "zorun (${PROJECT_VERSION}) unstable; urgency=medium

  * Zorun ${PROJECT_VERSION}.

 -- ${ZORUN_PACKAGE_MAINTAINER}  ${date}
")
endfunction()
