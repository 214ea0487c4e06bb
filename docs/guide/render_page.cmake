# One page of the guide as HTML: cmake -DCMARK=... -DSOURCE=page.md -DOUTPUT=page.html -P render_page.cmake
# Links between pages name the Markdown files, as they are read in the source; here they name
# the HTML beside them.
# The pages are the project's own text: their <kbd> marks keys, and is kept.
execute_process(COMMAND ${CMARK} --smart --unsafe --extension table ${SOURCE} OUTPUT_VARIABLE body
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmark cannot read ${SOURCE}")
endif()
string(REGEX REPLACE "href=\"([a-z0-9-]+)\\.md\"" "href=\"\\1.html\"" body "${body}")
string(REGEX MATCH "<h1>([^<]*)</h1>" heading "${body}")
set(title "${CMAKE_MATCH_1}")
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width\">
<title>${title} - korvland</title>
<style>
body { font-family: sans-serif; max-width: 46em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
img { max-width: 100%; border: 1px solid #bbb; }
code, pre { background: #f3f3f3; }
pre { padding: 0.6em; overflow-x: auto; }
kbd { border: 1px solid #999; border-radius: 3px; padding: 0 0.3em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.2em 0.5em; text-align: left; }
</style>
</head>
<body>
${body}</body>
</html>
")
