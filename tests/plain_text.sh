#!/usr/bin/env bash
# Fails when a screen declares a text element of Qt's own instead of the plain
# ones (PlainLabel, PlainTextItem, PlainTextEdit, PlainTextArea, PlainComboBox,
# PlainToolTip), or asks for markup: Qt's text elements guess rich text from
# their content, so a product or customer name holding <img src=…> would be
# fetched and drawn as markup.
set -euo pipefail
dir=${1:?usage: plain_text.sh QML_DIR}
status=0
while IFS= read -r hit; do
  file=${hit%%:*}
  case $(basename "$file") in Plain*.qml) continue ;; esac
  echo "$hit: use the plain text component"
  status=1
done < <(grep -rnHE '(^|[^A-Za-z0-9_.])(Text|Label|TextEdit|TextArea|ComboBox|ToolTip)[[:space:]]*\{|ToolTip\.text' --include='*.qml' "$dir" || true)
while IFS= read -r hit; do
  echo "$hit: screens show text as written"
  status=1
done < <(grep -rnHE 'textFormat:[[:space:]]*[A-Za-z.]*(RichText|StyledText|AutoText|MarkdownText)' --include='*.qml' "$dir" || true)
exit $status
