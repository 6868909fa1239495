-- Stored routines of the card system that the canteen client calls with the
-- `cashless-adm`. prefix. Loaded with `cashless-adm` as the default database.
-- They run with their definer's rights, so the program's account needs only
-- EXECUTE on them, not access to the holder and account tables.

DELIMITER //

DROP FUNCTION IF EXISTS GetTabNasabahID //
CREATE FUNCTION GetTabNasabahID(p_rekening VARCHAR(20))
RETURNS VARCHAR(20)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT tab_nasabah FROM data_tabungan WHERE tab_rekening = p_rekening);
END //

DROP FUNCTION IF EXISTS GetNasabahNama //
CREATE FUNCTION GetNasabahNama(p_nasabah VARCHAR(20))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT nasabah_nama FROM data_nasabah WHERE nasabah_id = p_nasabah);
END //

DROP FUNCTION IF EXISTS GetTabNasabahNama //
CREATE FUNCTION GetTabNasabahNama(p_rekening VARCHAR(20))
RETURNS VARCHAR(100)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT n.nasabah_nama
            FROM data_tabungan t JOIN data_nasabah n ON n.nasabah_id = t.tab_nasabah
           WHERE t.tab_rekening = p_rekening);
END //

DROP FUNCTION IF EXISTS GetTabNasabahKelas //
CREATE FUNCTION GetTabNasabahKelas(p_rekening VARCHAR(20))
RETURNS VARCHAR(20)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT n.nasabah_kelas
            FROM data_tabungan t JOIN data_nasabah n ON n.nasabah_id = t.tab_nasabah
           WHERE t.tab_rekening = p_rekening);
END //

-- Usable balance at the end of p_tanggal: credits minus debits of every
-- posting on or before that day that was not cancelled. NULL for an account
-- the card system does not know, so the caller can tell it from a zero balance.
DROP FUNCTION IF EXISTS GetTabSaldoAktif //
CREATE FUNCTION GetTabSaldoAktif(p_rekening VARCHAR(20), p_tanggal DATE)
RETURNS DECIMAL(15,2)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  IF NOT EXISTS (SELECT 1 FROM data_tabungan WHERE tab_rekening = p_rekening) THEN
    RETURN NULL;
  END IF;
  RETURN (SELECT IFNULL(SUM(trans_jumlah_masuk - trans_jumlah_keluar), 0)
            FROM data_tabungan_trans
           WHERE trans_rekening = p_rekening
             AND trans_tanggal <= p_tanggal
             AND trans_status <> 9);
END //

DROP FUNCTION IF EXISTS GetStatusTrans //
CREATE FUNCTION GetStatusTrans(p_status INT)
RETURNS VARCHAR(30)
NOT DETERMINISTIC READS SQL DATA
BEGIN
  RETURN (SELECT status_text FROM kode_status_trans WHERE status_kode = p_status);
END //

-- Stored balance of every account from all its postings that were not
-- cancelled; a transfer calls it after writing its two postings.
DROP PROCEDURE IF EXISTS HitungTabSaldoAll //
CREATE PROCEDURE HitungTabSaldoAll()
MODIFIES SQL DATA
BEGIN
  UPDATE data_tabungan t
     LEFT JOIN (SELECT trans_rekening,
                       SUM(trans_jumlah_masuk - trans_jumlah_keluar) AS saldo
                  FROM data_tabungan_trans
                 WHERE trans_status <> 9
                 GROUP BY trans_rekening) p ON p.trans_rekening = t.tab_rekening
     SET t.tab_saldo = IFNULL(p.saldo, 0),
         t.tab_saldo_upd = NOW();
END //

DELIMITER ;
