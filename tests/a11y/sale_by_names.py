#!/usr/bin/python3
"""A card sale and a cash sale in the running app, done the way an assistive
client does them: every control is found by its role and accessible name on
the accessibility bus and pressed or typed into through its interfaces. A
screenshot of the screen is kept after each step.  usage: sale_by_names.py DIR"""
import os
import subprocess
import sys
import time

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

BUTTON = {Atspi.Role.PUSH_BUTTON, Atspi.Role.TOGGLE_BUTTON, Atspi.Role.PAGE_TAB, Atspi.Role.CHECK_BOX,
          Atspi.Role.LIST_ITEM, Atspi.Role.MENU_ITEM}
FIELD = {Atspi.Role.TEXT, Atspi.Role.ENTRY, Atspi.Role.PASSWORD_TEXT}
TEXT = {Atspi.Role.LABEL, Atspi.Role.STATIC, Atspi.Role.HEADING, Atspi.Role.TEXT}
out = sys.argv[1] if len(sys.argv) > 1 else '.'
shots = 0


def app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(i)
        if child is not None and child.get_name() == 'Vantrel Checkout':
            return child
    return None


def shown(node):
    return node.get_state_set().contains(Atspi.StateType.VISIBLE)


def walk(node):
    """Every visible node below node, depth first."""
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or not shown(child):
            continue
        yield child
        yield from walk(child)


def find(roles, name, timeout=20, starts=False):
    """The first visible node of one of the roles whose name is (or starts with) name."""
    deadline = time.monotonic() + timeout
    while True:
        root = app()
        if root is not None:
            root.clear_cache()
            try:
                for node in walk(root):
                    label = node.get_name() or ''
                    if node.get_role() in roles and (label.startswith(name) if starts else label == name):
                        return node
            except GLib.GError:
                # A node went away while the tree was read (a screen changed):
                # read the tree again.
                pass
        if time.monotonic() > deadline:
            raise AssertionError('no %s named %r on screen' % ('/'.join(r.value_nick for r in roles), name))
        time.sleep(0.2)


def enabled(node):
    return node.get_state_set().contains(Atspi.StateType.ENABLED)


def press(name, starts=False, timeout=20):
    deadline = time.monotonic() + timeout
    while True:
        node = find(BUTTON, name, timeout, starts)
        try:
            if enabled(node):
                actions = [node.get_action_name(i) for i in range(node.get_n_actions())]
                break
        except GLib.GError:
            pass  # the button was rebuilt after it was found; find it again
        if time.monotonic() > deadline:
            raise AssertionError('%r stays disabled' % name)
        time.sleep(0.2)
    if 'Press' not in actions or not node.do_action(actions.index('Press')):
        raise AssertionError('%r cannot be pressed (%s)' % (name, actions))
    time.sleep(0.3)


def type_into(name, text):
    """Focuses the field by name and types on the keyboard: Qt Quick fields
    take text set through the accessibility interface without telling the
    screen (no textEdited), so typing is what a person's keyboard does."""
    node = find(FIELD, name)
    actions = [node.get_action_name(i) for i in range(node.get_n_actions())]
    node.do_action(actions.index('SetFocus'))
    node.set_text_contents('')
    time.sleep(0.2)
    Atspi.generate_keyboard_event(0, text, Atspi.KeySynthType.STRING)
    deadline = time.monotonic() + 10
    while node.get_text(0, -1) != text:
        if time.monotonic() > deadline:
            raise AssertionError('%r holds %r, not %r' % (name, node.get_text(0, -1), text))
        time.sleep(0.1)
    time.sleep(0.3)


def wait_text(text, timeout=30, starts=False):
    return find(TEXT, text, timeout, starts)


def step(title):
    global shots
    shots += 1
    path = os.path.join(out, '%02d-%s.png' % (shots, title.replace(' ', '-')))
    subprocess.run(['import', '-window', 'root', path], check=False)
    print('ok', shots, title, flush=True)


def sell(search, products, customer, tender):
    """One sale from the catalog to the next sale; customer is (first, last)
    for a new customer and deal, or the name of an existing one."""
    type_into('Search SKU, product, or description', search)
    for product in products:
        press('Add ' + product + ',', starts=True)
    step(tender + ' products added')
    press('Choose a customer', starts=True)
    if isinstance(customer, tuple):
        press('Create new customer')
        first, last = customer
        type_into('First name, required', first)
        type_into('Last name, required', last)
        type_into('Phone, required', '555-0100')
        type_into('Email, required', '%s.%s@example.com' % (first.lower(), last.lower()))
        type_into('Deal amount, required', '500')
        step(tender + ' new customer')
        press('Create customer & deal')
        find(BUTTON, 'Deal ', starts=True)
    else:
        type_into('Search customers', customer)
        press(customer, starts=True)
    step(tender + ' customer chosen')
    press('Save quote')
    wait_text('Quote · ', starts=True)
    step(tender + ' quote saved')
    press('Checkout')
    wait_text('Collect payment')
    if tender == 'card':
        press('Card · Terminal')
        step('card checkout sheet')
        press('Send to Square Terminal')
    else:
        press('Cash')
        due = float(wait_text('Amount due $', starts=True).get_name().split('$')[1].replace(',', ''))
        type_into('Cash received', '%.2f' % (due + 20))
        wait_text('$20.00')
        press('I have received the cash')
        step('cash checkout sheet')
        press('Record cash payment')
    wait_text('Transaction complete', timeout=60)
    step(tender + ' transaction complete')
    if tender == 'card':
        press('Print Terminal receipt')
        step('card receipt requested')
    else:
        wait_text('$20.00')
    press('Start next sale')
    wait_text('No items')
    step(tender + ' next sale')


def main():
    deadline = time.monotonic() + 60
    while app() is None:
        if time.monotonic() > deadline:
            raise AssertionError('Vantrel Checkout is not on the accessibility bus')
        time.sleep(0.5)
    find(BUTTON, 'Sign in with Zoho', timeout=30)
    step('sign-in')
    # The browser picks a demo user; the callback comes back through the URL scheme.
    press('Sign in with Zoho')
    find(FIELD, 'Search SKU, product, or description', timeout=60)
    step('signed in')
    last = 'Sale%d' % (int(time.time()) % 100000)
    sell('white shaker base', ['White Shaker 9 Base', 'White Shaker 12 Base'], ('Robin', last), 'card')
    sell('white shaker base', ['White Shaker 15 Base', 'White Shaker 18 Base'], 'Robin ' + last, 'cash')


if __name__ == '__main__':
    started = time.monotonic()
    try:
        main()
    except AssertionError as failure:
        step('failed')
        print('FAIL:', failure, file=sys.stderr)
        root = app()
        if root is not None:
            with open(os.path.join(out, 'tree.txt'), 'w') as tree:
                for node in walk(root):
                    states = [state.value_nick for state in node.get_state_set().get_states()]
                    tree.write('%s %r %s\n' % (node.get_role_name(), node.get_name(), ' '.join(states)))
        sys.exit(1)
    print('sale by names passed in %.0f s' % (time.monotonic() - started))
