import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The saved work kept on this device, to reopen into the workspace, and the
// server's checkouts, to follow or finish one.
Sheet {
    id: sheet
    property CheckoutModel workspace
    // The saved entry or the checkout waiting for the user's answer.
    property string selectedArchive: ""
    property string selectedTransaction: ""
    property string selectedRemoval: ""

    objectName: "historySheet"
    preferredWidth: 620
    implicitHeight: 680

    HistoryState {
        id: history
        workspace: sheet.workspace
    }

    function openTransaction(transactionId) {
        if (history.followNeedsConfirmation(transactionId)) {
            selectedTransaction = transactionId
            followQuestion.open()
            return
        }
        follow(transactionId)
    }
    function follow(transactionId) {
        if (history.follow(transactionId)) sheet.close()
    }
    // An entry whose request is still open is not asked about: the workspace
    // refuses it and says why.
    function askToRemove(entryId, removable) {
        if (!removable) {
            sheet.workspace.history.remove(entryId)
            return
        }
        const ask = history.removeConfirmation(entryId)
        if (!ask.title) return
        selectedRemoval = entryId
        removeQuestion.title = ask.title
        removeQuestion.message = ask.message
        removeQuestion.confirmTitle = ask.confirm
        removeQuestion.cancelTitle = ask.cancel
        removeQuestion.open()
    }

    contentItem: ColumnLayout {
        spacing: 10
        Item {
            Layout.fillWidth: true
            implicitHeight: titleBar.implicitHeight
            SheetTitleBar {
                id: titleBar
                anchors.fill: parent
                title: qsTr("Transactions")
                onDone: sheet.close()
            }
            IconButton {
                objectName: "refreshTransactionsButton"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: 44
                implicitHeight: 44
                symbol: "arrow.clockwise"
                symbolSize: 18
                enabled: !sheet.workspace.busy
                Accessible.name: qsTr("Refresh transactions")
                onClicked: sheet.workspace.history.refresh()
            }
        }

        ListView {
            id: list
            objectName: "transactionList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            model: sheet.workspace.history.transactions

            // qmllint disable unqualified
            header: ColumnLayout {
                width: list.width
                spacing: 0
                // Saved work, only when there is some.
                ColumnLayout {
                    objectName: "savedWorkSection"
                    visible: history.savedWork.count > 0
                    Layout.fillWidth: true
                    Layout.bottomMargin: 18
                    spacing: 0
                    Eyebrow {
                        Layout.bottomMargin: 6
                        text: qsTr("Saved work on this device")
                    }
                    Rectangle {
                        Layout.fillWidth: true
                        implicitHeight: savedRows.implicitHeight
                        radius: Theme.cornerRadius
                        color: Theme.surface
                        border.color: Theme.separator
                        clip: true
                        ColumnLayout {
                            id: savedRows
                            width: parent.width
                            spacing: 0
                            Repeater {
                                model: history.savedWork
                                delegate: SavedWorkRow {
                                    required property string entryId
                                    required property int index
                                    required title
                                    required summary
                                    required date
                                    required removable
                                    objectName: "savedWork-" + index
                                    Layout.fillWidth: true
                                    last: index === history.savedWork.count - 1
                                    onClicked: {
                                        sheet.selectedArchive = entryId
                                        openConfirmation.open()
                                    }
                                    onRemoveClicked: sheet.askToRemove(entryId, removable)
                                }
                            }
                        }
                    }
                    CaptionLabel {
                        Layout.fillWidth: true
                        Layout.topMargin: 6
                        text: qsTr("Open a saved draft or resume its request. Reset did not cancel payments or server work.")
                        wrapMode: Text.WordWrap
                    }
                }
                Eyebrow {
                    Layout.bottomMargin: 6
                    text: qsTr("Checkouts")
                }
                // Loading, the empty list, or why the list did not load.
                ColumnLayout {
                    objectName: "transactionsPlaceholder"
                    visible: history.placeholder !== ""
                    Layout.fillWidth: true
                    Layout.topMargin: 18
                    Layout.bottomMargin: 18
                    spacing: 8
                    RowLayout {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: list.width
                        spacing: 10
                        BusyIndicator {
                            visible: history.placeholderProgress
                            running: visible
                            implicitWidth: 22
                            implicitHeight: 22
                        }
                        SymbolIcon {
                            visible: history.canRetry
                            symbol: "exclamationmark.circle"
                            color: Theme.orange
                        }
                        SubheadLabel {
                            objectName: "transactionsPlaceholderText"
                            Layout.fillWidth: true
                            text: history.placeholder
                            wrapMode: Text.Wrap
                            color: history.canRetry ? Theme.orange : Theme.secondaryText
                        }
                    }
                    CaptionLabel {
                        objectName: "transactionsLoadError"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: history.placeholderDetail
                        wrapMode: Text.Wrap
                        horizontalAlignment: Text.AlignHCenter
                    }
                    SecondaryButton {
                        objectName: "retryTransactionsButton"
                        visible: history.canRetry
                        Layout.alignment: Qt.AlignHCenter
                        Layout.fillWidth: false
                        Layout.preferredWidth: 200
                        topPadding: 11
                        bottomPadding: 11
                        font.pixelSize: Theme.subheadline
                        text: SharedTexts.tryAgain
                        enabled: !sheet.workspace.busy
                        onClicked: sheet.workspace.history.refresh()
                    }
                }
            }
            // qmllint enable unqualified

            // qmllint disable unqualified
            delegate: ItemDelegate {
                id: row
                required property int index
                required property string transactionId
                required property string quoteNumber
                required property string status
                required property string statusLabel
                required property string amountText
                required property string createdText
                readonly property transactionIcon statusIcon: history.rowIcon(status)
                objectName: "transaction-" + transactionId
                width: list.width
                implicitHeight: 64
                leftPadding: 4
                rightPadding: 4
                Accessible.name: quoteNumber + ", " + amountText + ", " + statusLabel
                Accessible.onPressAction: Tap.press(row)
                onClicked: sheet.openTransaction(transactionId)
                background: Rectangle {
                    color: row.down ? Qt.rgba(0, 0, 0, 0.05) : "transparent"
                    Rectangle {
                        anchors.bottom: parent.bottom
                        width: parent.width
                        height: 1
                        color: Theme.separator
                    }
                }
                contentItem: RowLayout {
                    spacing: 12
                    SymbolIcon {
                        objectName: "transactionIcon"
                        symbol: row.statusIcon.symbol
                        size: 22
                        color: row.statusIcon.tone === "green" ? Theme.green
                             : row.statusIcon.tone === "orange" ? Theme.orange : Theme.secondaryText
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 1
                        BodyLabel {
                            Layout.fillWidth: true
                            text: row.quoteNumber
                            elide: Text.ElideRight
                            font.weight: Font.DemiBold
                        }
                        CaptionLabel {
                            Layout.fillWidth: true
                            text: row.statusLabel
                            elide: Text.ElideRight
                        }
                    }
                    ColumnLayout {
                        spacing: 1
                        BodyLabel {
                            Layout.alignment: Qt.AlignRight
                            text: row.amountText
                            font.weight: Font.DemiBold
                        }
                        PlainLabel {
                            Layout.alignment: Qt.AlignRight
                            text: row.createdText
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.caption2
                            color: Theme.secondaryText
                        }
                    }
                }
            }
            // qmllint enable unqualified
        }
    }

    ConfirmationSheet {
        id: openConfirmation
        objectName: "openSavedWorkConfirmation"
        title: qsTr("Open saved work?")
        message: qsTr("Current draft and unfinished requests will be saved first. Payments and server work continue.")
        confirmTitle: qsTr("Open saved work")
        cancelTitle: SharedTexts.cancel
        onConfirm: {
            const entry = sheet.selectedArchive
            sheet.selectedArchive = ""
            if (sheet.workspace.history.reopen(entry)) sheet.close()
        }
        onCancel: sheet.selectedArchive = ""
    }
    ConfirmationSheet {
        id: removeQuestion
        objectName: "removeSavedWorkConfirmation"
        role: "destructive"
        onConfirm: {
            const entry = sheet.selectedRemoval
            sheet.selectedRemoval = ""
            sheet.workspace.history.remove(entry)
        }
        onCancel: sheet.selectedRemoval = ""
    }
    ConfirmationSheet {
        id: followQuestion
        objectName: "followCheckoutConfirmation"
        title: history.followConfirmation.title
        message: history.followConfirmation.message
        confirmTitle: history.followConfirmation.confirm
        cancelTitle: history.followConfirmation.cancel
        onConfirm: {
            const chosen = sheet.selectedTransaction
            sheet.selectedTransaction = ""
            sheet.follow(chosen)
        }
        onCancel: sheet.selectedTransaction = ""
    }

    // One saved entry: what it holds, for whom, and when it was put aside.
    component SavedWorkRow: ItemDelegate {
        id: saved
        property string title
        property string summary
        property string date
        property bool removable: false
        property bool last: false
        signal removeClicked()
        implicitHeight: Math.max(56, content.implicitHeight + 2 * 6)
        topPadding: 6
        bottomPadding: 6
        leftPadding: 14
        rightPadding: 14
        Accessible.name: title + (summary !== "" ? ", " + summary : "") + ", " + date
        Accessible.onPressAction: Tap.press(saved)
        background: Rectangle {
            color: saved.down ? Qt.rgba(0, 0, 0, 0.05) : "transparent"
            Rectangle {
                visible: !saved.last
                anchors.bottom: parent.bottom
                x: 14
                width: parent.width - 14
                height: 1
                color: Theme.separator
            }
        }
        contentItem: RowLayout {
            id: content
            spacing: 12
            SymbolIcon {
                symbol: "tray.full"
                size: 20
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 1
                BodyLabel {
                    Layout.fillWidth: true
                    text: saved.title
                    elide: Text.ElideRight
                }
                CaptionLabel {
                    objectName: "savedWorkSummary"
                    visible: saved.summary !== ""
                    Layout.fillWidth: true
                    text: saved.summary
                    elide: Text.ElideRight
                }
                PlainLabel {
                    Layout.fillWidth: true
                    text: saved.date
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.caption2
                    color: Theme.secondaryText
                }
            }
            IconButton {
                objectName: "removeSavedWorkButton"
                symbol: "trash"
                symbolSize: 17
                tint: Theme.secondaryText
                Accessible.name: SharedTexts.removePrefix + saved.title + (saved.summary !== "" ? ", " + saved.summary : "")
                onClicked: saved.removeClicked()
            }
            SymbolIcon {
                symbol: "arrow.up.forward"
                size: 15
                color: Theme.secondaryText
            }
        }
    }
}
