import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The sign-in screen: one card on a black page.
Rectangle {
    id: login
    property CheckoutModel workspace
    // A preview build is pinned to its own server.
    readonly property bool previewBuild: workspace.serverPinned === true
    readonly property serverFieldState serverField: ViewLogic.serverField(previewBuild, Format.language)
    signal signInRequested()

    color: "black"

    Flickable {
        anchors.fill: parent
        contentWidth: width
        contentHeight: Math.max(height, card.implicitHeight + 48)
        boundsBehavior: Flickable.StopAtBounds

        Rectangle {
            id: card
            objectName: "loginCard"
            width: Math.min(510, login.width - 48)
            implicitHeight: column.implicitHeight + 80
            height: implicitHeight
            anchors.centerIn: parent
            radius: 28
            color: Theme.surface

            ColumnLayout {
                id: column
                anchors.fill: parent
                anchors.margins: 40
                spacing: 26

                Row {
                    spacing: 12
                    Accessible.role: Accessible.Graphic
                    Accessible.name: "Vantrel"
                    SymbolImage {
                        width: 34
                        height: 34
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "VantrelMark"
                        color: Theme.ink
                        Accessible.ignored: true
                    }
                    SymbolImage {
                        width: 112
                        height: 21
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "VantrelFull"
                        color: Theme.ink
                        alignLeft: true
                        Accessible.ignored: true
                    }
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 4
                    Eyebrow { text: qsTr("Vantrel checkout") }
                    PlainLabel {
                        objectName: "signInTitle"
                        text: qsTr("Sign in")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.largeTitle
                        font.weight: Font.Bold
                        font.letterSpacing: -1
                        color: Theme.primaryText
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    BodyLabel {
                        Layout.fillWidth: true
                        text: qsTr("Access products, customers, and quotes.")
                        wrapMode: Text.WordWrap
                        color: Theme.secondaryText
                    }
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 8
                    SubheadLabel {
                        text: qsTr("Checkout server")
                        font.weight: Font.DemiBold
                        color: Theme.primaryText
                    }
                    TextField {
                        id: serverInput
                        objectName: "serverField"
                        Layout.fillWidth: true
                        text: login.workspace.server
                        enabled: login.serverField.editable
                        placeholderText: ViewLogic.productionServer
                        placeholderTextColor: Qt.rgba(0, 0, 0, 0.35)
                        inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.body
                        color: enabled ? Theme.primaryText : Theme.secondaryText
                        selectionColor: Qt.rgba(0, 0, 0, 0.2)
                        selectedTextColor: Theme.primaryText
                        leftPadding: 14
                        rightPadding: 14
                        topPadding: 13
                        bottomPadding: 13
                        Accessible.name: qsTr("Checkout server")
                        onTextEdited: login.workspace.server = text
                        background: Rectangle {
                            radius: 12
                            color: serverInput.enabled ? Theme.surface : Qt.rgba(0, 0, 0, 0.04)
                            border.width: serverInput.activeFocus ? 2 : 1
                            border.color: serverInput.activeFocus ? Theme.ink : Theme.border
                        }
                    }
                    CaptionLabel {
                        objectName: "serverCaption"
                        Layout.fillWidth: true
                        text: login.serverField.caption
                        wrapMode: Text.WordWrap
                    }
                }

                PrimaryButton {
                    objectName: "signInButton"
                    text: qsTr("Sign in with Zoho")
                    trailingSymbol: "arrow.right"
                    // While the browser waits, a tap opens it again for the same sign-in.
                    enabled: !login.workspace.busy || login.workspace.signInWaiting
                    onClicked: login.signInRequested()
                }

                ColumnLayout {
                    objectName: "signInWaiting"
                    visible: login.workspace.signInWaiting
                    Layout.fillWidth: true
                    spacing: 8
                    CaptionLabel {
                        Layout.fillWidth: true
                        text: qsTr("Finish signing in in your browser. Closed the page? Tap Sign in with Zoho to open it again.")
                        wrapMode: Text.WordWrap
                        horizontalAlignment: Text.AlignHCenter
                    }
                    SecondaryButton {
                        objectName: "cancelSignInButton"
                        Layout.alignment: Qt.AlignHCenter
                        text: qsTr("Cancel sign-in")
                        onClicked: login.workspace.cancelSignIn()
                    }
                }

                Row {
                    spacing: 6
                    Accessible.role: Accessible.StaticText
                    Accessible.name: qsTr("Credentials stay with Zoho")
                    SymbolIcon {
                        symbol: "lock.shield"
                        color: Theme.secondaryText
                        size: 14
                        anchors.verticalCenter: parent.verticalCenter
                    }
                    CaptionLabel {
                        text: qsTr("Credentials stay with Zoho")
                        anchors.verticalCenter: parent.verticalCenter
                    }
                }
            }
        }
    }
}
