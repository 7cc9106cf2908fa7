import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// One quote or invoice PDF: fetched and vetted by its loader, then shown in
// the reader; a failure stays here with a way to try again.
Item {
    id: preview
    objectName: "documentPdfPreview"
    property CheckoutModel workspace
    property string path
    property string number
    property string kind
    readonly property alias loader: pdf
    signal done()

    DocumentPdfLoader {
        id: pdf
        workspace: preview.workspace
        path: preview.path
        kind: preview.kind
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Item {
            id: navigation
            Layout.fillWidth: true
            implicitHeight: 44
            PlainLabel {
                objectName: "documentPdfTitle"
                anchors.centerIn: parent
                width: Math.min(implicitWidth, parent.width - 2 * (doneButton.width + 24))
                elide: Text.ElideRight
                text: preview.number
                font.family: Theme.fontFamily
                font.pixelSize: Theme.headline + 1
                font.weight: Font.DemiBold
                color: Theme.primaryText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            TapButton {
                id: doneButton
                objectName: "documentPdfDoneButton"
                anchors.right: parent.right
                anchors.rightMargin: 16
                anchors.verticalCenter: parent.verticalCenter
                text: DocumentPdfTexts.done
                flat: true
                font.family: Theme.fontFamily
                font.pixelSize: Theme.body
                font.weight: Font.DemiBold
                Accessible.name: text
                background: Item {}
                contentItem: PlainLabel {
                    text: doneButton.text
                    font: doneButton.font
                    color: Theme.ink
                    opacity: doneButton.down ? 0.5 : 1
                }
                onClicked: preview.done()
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.separator
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            ColumnLayout {
                objectName: "documentPdfLoading"
                anchors.centerIn: parent
                visible: pdf.loading && !pdf.hasDocument
                spacing: 12
                BusyIndicator {
                    Layout.alignment: Qt.AlignHCenter
                    running: parent.visible
                    implicitWidth: 36
                    implicitHeight: 36
                    palette.dark: Theme.ink
                }
                SubheadLabel {
                    Layout.alignment: Qt.AlignHCenter
                    text: DocumentPdfTexts.loading(preview.kind)
                }
            }

            ColumnLayout {
                anchors.fill: parent
                visible: pdf.hasDocument
                spacing: 0
                DocumentPdfReader {
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    loader: pdf
                }
                CaptionLabel {
                    objectName: "documentPdfCaption"
                    Layout.fillWidth: true
                    topPadding: 10
                    bottomPadding: 14
                    horizontalAlignment: Text.AlignHCenter
                    text: DocumentPdfTexts.pageCaption(pdf.pageCount)
                }
            }

            ColumnLayout {
                objectName: "documentPdfUnavailable"
                anchors.centerIn: parent
                width: Math.min(parent.width - 48, 380)
                visible: !pdf.loading && !pdf.hasDocument
                spacing: 10
                Rectangle {
                    Layout.alignment: Qt.AlignHCenter
                    implicitWidth: 64
                    implicitHeight: 64
                    radius: 18
                    color: Theme.surface
                    border.color: Theme.separator
                    SymbolIcon {
                        anchors.centerIn: parent
                        symbol: "doc.richtext"
                        color: Theme.secondaryText
                        size: 28
                    }
                }
                HeadingLabel {
                    Layout.fillWidth: true
                    Layout.topMargin: 4
                    horizontalAlignment: Text.AlignHCenter
                    text: DocumentPdfTexts.unavailable
                    wrapMode: Text.WordWrap
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                SubheadLabel {
                    objectName: "documentPdfMessage"
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignHCenter
                    text: DocumentPdfTexts.unavailableMessage(preview.kind, pdf.message)
                    wrapMode: Text.WordWrap
                }
                PrimaryButton {
                    objectName: "documentPdfTryAgainButton"
                    Layout.alignment: Qt.AlignHCenter
                    Layout.topMargin: 10
                    Layout.fillWidth: true
                    Layout.maximumWidth: 240
                    text: DocumentPdfTexts.tryAgain
                    onClicked: pdf.reloadId = pdf.reloadId + 1
                }
            }
        }
    }
}
