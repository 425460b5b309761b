#!/bin/sh
# The shared library exports the plot classes and the DWFUtil instantiations
# they need, nothing else: no internal layer may leak into the dynamic table.
set -eu
lib="$1"
symbols=$(nm -D --defined-only "$lib" | awk '{print $3}' | c++filt)
bad=$(printf '%s\n' "$symbols" | grep -v -E \
  '^$|^_init$|^_fini$|^_edata$|^_end$|^__bss_start$|(^|[ :])(DWFPlotFileWriter|DWFPlotFileReader|PlotFileWriter|PlotFileReader)(::|$)|^DWFUtil::' || true)
if [ -n "$bad" ]; then
  echo "internal symbols exported from $lib:"
  printf '%s\n' "$bad"
  exit 1
fi
echo "exports of $lib:"
printf '%s\n' "$symbols" | sed '/^$/d'
