# The suite's web address (ZQ_PROJECT_URL) turned into what the AppStream metainfo names.
# zq_project_url(URL DIR_VAR PREFIX_VAR): DIR_VAR is URL ending in exactly one "/"; PREFIX_VAR is
# its host reversed, in lower case, hyphens as underscores ("https://Zq-Panel.example.org/suite"
# gives "org.example.zq_panel"), the start of the AppStream ids. An address that is not http://
# or https:// with a host stops the configuration with the reason.
function(zq_project_url url dir_var prefix_var)
  if(NOT url MATCHES "^https?://([A-Za-z0-9.-]+)(/.*)?$")
    message(FATAL_ERROR "ZQ_PROJECT_URL must be an http:// or https:// address, not '${url}'")
  endif()
  string(TOLOWER "${CMAKE_MATCH_1}" host)
  string(REGEX REPLACE "/+$" "" dir "${url}")
  string(APPEND dir "/")
  string(REPLACE "." ";" labels "${host}")
  list(REVERSE labels)
  list(JOIN labels "." prefix)
  string(REPLACE "-" "_" prefix "${prefix}")
  set(${dir_var} "${dir}" PARENT_SCOPE)
  set(${prefix_var} "${prefix}" PARENT_SCOPE)
endfunction()
