# Writes camera-demo.html: index.html with its scripts and the WebAssembly
# inside, one file that works opened from disk as well as from any server.
# The wasm goes in as hexadecimal, decoded into Module.wasmBinary, which the
# runtime then uses instead of fetching camera-demo.wasm.
# Usage: cmake -DPAGE=<page folder> -P single-file.cmake
file(READ ${PAGE}/index.html html)
file(READ ${PAGE}/camera-demo.wasm wasm HEX)
set(decoder "<script>(function (hex) {
  var bytes = new Uint8Array(hex.length / 2);
  for (var i = 0; i < bytes.length; ++i) bytes[i] = parseInt(hex.substr(2 * i, 2), 16);
  Module.wasmBinary = bytes;
})('${wasm}');</script>
")
foreach(script moment.js curves.js tour.js share.js page.js camera-demo.js)
  file(READ ${PAGE}/${script} code)
  if(code MATCHES "</script")
    message(FATAL_ERROR "${script} holds </script and cannot be put inside the page")
  endif()
  set(tag "<script src=\"${script}\"></script>\n")
  string(FIND "${html}" "${tag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "index.html does not load ${script} as expected: ${tag}")
  endif()
  if(script STREQUAL camera-demo.js)
    set(code "${decoder}<script>${code}")
  else()
    set(code "<script>${code}")
  endif()
  string(REPLACE "${tag}" "${code}</script>\n" html "${html}")
endforeach()
file(WRITE ${PAGE}/camera-demo.html "${html}")
