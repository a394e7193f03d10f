#!/usr/bin/python3
"""The LAN page in a real headless Chromium, against the real station and the simulated receiver: log-in
through the form, a call appears within 2 s and leaves when it is cancelled, no horizontal scrolling on a
phone, the colours and the notification of a call that ages past its thresholds, and the log-in form
again after the station restarts. Debian's python3-selenium, chromium and chromium-driver; exit 77 (skip)
without them. Usage: browser_test.py BUILD_DIR"""
import os
import shutil
import sys
import time

sys.dont_write_bytecode = True  # no compiled helper left in the source tree
from webstation import AREA, WebStation  # noqa: E402

SKIP = 77
try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print('skipped: python3-selenium is not installed')
    sys.exit(SKIP)
for program in ('chromium', 'chromedriver'):
    if not shutil.which(program):
        print(f'skipped: {program} is not installed')
        sys.exit(SKIP)

OPERATOR, PASSWORD = '经理', 'floor-7'
# The screens the page must fit: (name, width, height, phone).
SCREENS = [('phone', 375, 667, True), ('desktop', 1280, 800, False)]
# Thresholds of 1, 2 and 3 s, kept past the time-out, so a call ages through every state in moments.
FAST_AGEING = '[Face]\nPreWarn1Time=1\nPreWarn2Time=2\nPreWarn3Time=3\n[Sys]\nServiceTimeOutKeepOnTime=1\n'
# Records every browser notification the page raises, and still raises it.
RECORD_NOTIFICATIONS = '''
window.raisedNotifications = [];
const RealNotification = window.Notification;
window.Notification = class extends RealNotification {
  constructor(title, options) { super(title, options); window.raisedNotifications.push(title); }
};
'''

failures = []


def check(ok, what):
    print(('ok     ' if ok else 'FAILED ') + what)
    if not ok:
        failures.append(what)


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which('chromium')
    for arg in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage', '--window-size=1280,800'):
        options.add_argument(arg)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service(executable_path=shutil.which('chromedriver')),
                              options=options)
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': RECORD_NOTIFICATIONS})
    return driver


def shown(driver, element_id):
    return driver.find_element(By.ID, element_id).is_displayed()


def until(driver, condition, seconds):
    """Seconds it took for condition to hold, or None."""
    start = time.monotonic()
    try:
        WebDriverWait(driver, seconds, poll_frequency=0.05).until(lambda d: condition(d))
        return time.monotonic() - start
    except Exception:
        return None


def rows(driver, selector):
    """(class, text) of each element; read in one go, as the page redraws its rows every second."""
    return driver.execute_script(
        'return [...document.querySelectorAll(arguments[0])].map((e) => [e.className, e.textContent])', selector)


def calls(driver):
    return rows(driver, '#calls li.call')


def log_in(driver, password):
    form = driver.find_element(By.ID, 'login-form')
    for field, value in (('name', OPERATOR), ('password', password)):
        box = form.find_element(By.NAME, field)
        box.clear()
        box.send_keys(value)
    form.find_element(By.CSS_SELECTOR, 'button[type=submit]').click()


def test_log_in(driver, station):
    driver.get(station.url + '/')
    check(until(driver, lambda d: shown(d, 'login'), 5) is not None, 'the page opens on its log-in form')
    log_in(driver, 'wrong')
    check(until(driver, lambda d: d.find_element(By.ID, 'login-error').text != '', 5) is not None
          and not shown(driver, 'station'), 'a wrong password shows the refusal and keeps the form')
    log_in(driver, PASSWORD)
    check(until(driver, lambda d: shown(d, 'station'), 5) is not None, 'the right password opens the live page')
    check(driver.find_element(By.ID, 'operator').text == OPERATOR, 'the page names the operator')
    driver.find_element(By.ID, 'logout').click()
    check(until(driver, lambda d: shown(d, 'login'), 5) is not None, 'log-out shows the form again')
    driver.refresh()
    check(until(driver, lambda d: shown(d, 'login'), 5) is not None and not shown(driver, 'station'),
          'after log-out a reload stays at the form')
    log_in(driver, PASSWORD)
    check(until(driver, lambda d: shown(d, 'station'), 5) is not None, 'logged in again after log-out')


def test_call_comes_and_goes(driver, station, shots):
    station.send('call 0001 12')
    took = until(driver, lambda d: len(calls(d)) == 1, 2)
    check(took is not None, f'a call from the receiver shows within 2 s ({took:.2f} s)' if took
          else 'a call from the receiver shows within 2 s')
    if took is None:
        return
    cls, text = calls(driver)[0]
    check(AREA in text and 'A1' in text and 's0' in cls.split(), 'the call shows its area and table in the waiting colours')
    plan = dict((text, cls.split()) for cls, text in rows(driver, '#plan .point'))
    check(set(plan) == {'A1', 'A2'} and 's0' in plan['A1'] and 's0' not in plan['A2'],
          'the floor plan shows both tables and lights the called one')
    for name, width, height, phone in SCREENS:
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': phone})
        time.sleep(0.3)
        scroll, inner = driver.execute_script(
            'return [document.documentElement.scrollWidth, window.innerWidth]')
        # A phone widens its layout viewport to fit what overflows, so both are held to the screen's width.
        check(scroll <= width and inner == width,
              f'no horizontal scrolling at {width} x {height} (page {scroll}, viewport {inner})')
        driver.save_screenshot(os.path.join(shots, f'web-{name}-{width}x{height}.png'))
    driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
    station.send('cancel 0001')
    check(until(driver, lambda d: len(calls(d)) == 0, 5) is not None, 'the cancelled call leaves the list')
    check(until(driver, lambda d: d.find_element(By.ID, 'f-calls').text == '1', 5) is not None
          and any('张三' in text for _, text in rows(driver, '#staff tbody tr')),
          "today's figures and the waiter's row count the served call")
    # Each download link, fetched with the page's session, gives a workbook (a zip archive).
    answers = driver.execute_async_script('''
        const done = arguments[arguments.length - 1];
        Promise.all([...document.querySelectorAll('#reports a')].map((a) => fetch(a.href)
            .then((r) => r.arrayBuffer().then((b) => [r.status, new TextDecoder().decode(b.slice(0, 2))]))))
          .then(done, (e) => done(String(e)));''')
    check(isinstance(answers, list) and answers and all(a == [200, 'PK'] for a in answers),
          f'every report link downloads a workbook {answers}')


def test_restart_and_ageing(driver, station):
    station.stop()
    station.configure(FAST_AGEING)
    station.start()
    check(until(driver, lambda d: shown(d, 'login'), 20) is not None,
          'after the station restarts the page shows its log-in form again')
    driver.execute_cdp_cmd('Browser.grantPermissions', {'origin': station.url, 'permissions': ['notifications']})
    log_in(driver, PASSWORD)
    check(until(driver, lambda d: shown(d, 'station'), 5) is not None, 'logged in again')
    station.send('call 0002 12')
    for state in ('s0', 's1', 's2', 's3'):
        check(until(driver, lambda d: calls(d) and state in calls(d)[0][0].split(), 6) is not None,
              f'the call ages into state {state}')
    check(until(driver, lambda d: d.execute_script('return window.raisedNotifications.length') == 1, 3) is not None,
          'the timed-out call raises one browser notification')
    station.send('cancel 0002')
    check(until(driver, lambda d: len(calls(d)) == 0, 5) is not None, 'the timed-out call leaves when cancelled')


def main():
    build = os.path.abspath(sys.argv[1])
    shots = os.path.join(build, 'shots')
    os.makedirs(shots, exist_ok=True)
    with WebStation(build) as station:
        station.add_operator(OPERATOR, PASSWORD)
        station.start_sim()
        station.start()
        driver = browser()
        try:
            test_log_in(driver, station)
            if not failures:
                test_call_comes_and_goes(driver, station, shots)
                test_restart_and_ageing(driver, station)
            blocked = [e['message'] for e in driver.get_log('browser') if 'Content Security Policy' in e['message']]
            check(not blocked, 'nothing on the page is refused by the security policy ' + ' '.join(blocked))
        finally:
            driver.quit()
    print(f'{len(failures)} failed' if failures else 'all passed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
